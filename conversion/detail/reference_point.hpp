// The fixed geometry of every Quorvel code: the reference point and the scale.

#pragma once

namespace qv {

// The reference point, 48°8′13″ N, 11°34′31″ E, in decimal degrees.
inline double referenceLatitude() { return (48 + 8.0 / 60) + 13.0 / 3600; }
inline double referenceLongitude() { return (11 + 34.0 / 60) + 31.0 / 3600; }

// Kilometres to one degree of arc; the farthest point on the sphere lies
// 180 × 111.18 = 20012.4 km away.
inline constexpr double kmPerDegree = 111.18;

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
