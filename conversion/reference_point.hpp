// The fixed geometry of every Quorvel code: the reference point, the scale,
// and the constants of the angle arithmetic.
//
// π is never a literal: it is 4·arctan(1), evaluated where it is needed, so
// that every build computes the same bits from the same libm call.

#pragma once

#include <cmath>

namespace qv {

// The reference point, 48°8′13″ N, 11°34′31″ E, in decimal degrees.
inline double referenceLatitude() { return (48 + 8.0 / 60) + 13.0 / 3600; }
inline double referenceLongitude() { return (11 + 34.0 / 60) + 31.0 / 3600; }

// Kilometres to one degree of arc; the farthest point on the sphere lies
// 180 × 111.18 = 20012.4 km away.
inline constexpr double kmPerDegree = 111.18;

// arctan(1), π/4: the one source of π and π/2 (2·arctan(1)) in the arithmetic.
inline double arcTanOne() { return std::atan(1.0); }
inline double pi() { return 4 * arcTanOne(); }
inline double halfPi() { return 2 * arcTanOne(); }

// Degrees in half a turn, the other constant of the degree/radian conversions.
inline constexpr double halfTurnDegrees = 180;

// The reference point in radians, and the sines and cosines of it that every
// case uses (taken once: they are pure, so no result changes).
struct ReferenceTrig {
  double B0rad, L0rad;
  double sinB0, cosB0, sinL0, cosL0;
};
ReferenceTrig computeReferenceTrig();
// Inline, so that the many steps of a batch read it without a call.
inline const ReferenceTrig& referenceTrig() {
  static const ReferenceTrig trig = computeReferenceTrig();
  return trig;
}

}  // namespace qv
