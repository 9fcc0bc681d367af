// The angle helpers of every conversion: π from the arc tangent, the degree/radian conversions and the arc cosine, each
// in a fixed order of operations.
#pragma once
//
// π is never a literal: it is 4·arctan(1), evaluated where it is needed, so
// that every build computes the same bits from the same correctly rounded
// call (crmath/correctly_rounded.hpp).  Each helper
// takes a fault policy (checked_math.hpp): `raising` for one double, a
// marking policy for the lanes of a batch.

#include <cmath>

#include "conversion/detail/checked_math.hpp"
#include "conversion/crmath/correctly_rounded.hpp"

namespace qv {

// arctan(1), π/4: the one source of π and π/2 (2·arctan(1)) in the arithmetic.
// Computed once: a correctly rounded call has one answer.
inline double arcTanOne() {
  static const double value = cr::atan(1.0);
  return value;
}
inline double pi() { return 4 * arcTanOne(); }
inline double halfPi() { return 2 * arcTanOne(); }

// Degrees in half a turn, the other constant of the degree/radian conversions.
inline constexpr double halfTurnDegrees = 180;

// ((v·4)·arctan 1)/180
template <class F, class T>
T degToRad(F& f, const T& v) {
  return f.checked(((v * 4) * arcTanOne()) / halfTurnDegrees);
}
inline double degToRad(double v) { return degToRad(raising, v); }

// (v·180)/(4·arctan 1)
template <class F, class T>
T radToDeg(F& f, const T& v) {
  return f.checked((v * halfTurnDegrees) / pi());
}
inline double radToDeg(double v) { return radToDeg(raising, v); }

// arctan(−x / √(−x·x + 1)): the arc sine of −x, and the general branch of the
// arc cosine without its 2·arctan(1).  No clamping: |x| > 1 raises.
template <class F, class T>
T arcTanForm(F& f, const T& x) {
  using cr::atan;
  return atan(f.quot(-x, f.root(-x * x + 1)));
}
inline double arcTanForm(double x) { return arcTanForm(raising, x); }

// The general branch of the arc cosine, for an argument neither 1 nor −1.
template <class F, class T>
T arcCosGeneral(F& f, const T& x) {
  return arcTanForm(f, x) + halfPi();
}

// The system's arc cosine: exact for 1 and −1, the arc tangent form otherwise.
inline double arcCos(double x) {
  if (x == 1) return 0;
  if (x == -1) return pi();
  return arcCosGeneral(raising, x);
}

}  // namespace qv
