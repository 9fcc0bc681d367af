// Checked arithmetic and the angle helpers of every conversion.
//
// Floating-point faults are run-time errors, never silent infinities or NaNs:
// these helpers raise where a plain expression would produce one.  The
// degree/radian conversions and the arc cosine run in a fixed order of
// operations on the constants of reference_point.hpp.
//
// Each helper is written once, for a number type T and a fault policy F:
// RaiseFaults (a double, raising at the first fault) serves every single
// conversion; a batch of points passes its lanes and a policy that marks the
// faulty lanes instead (round_trip_lanes.hpp), so both run the same
// operations in the same order.

#pragma once

#include <cmath>

#include "conversion/reference_point.hpp"
#include "conversion/runtime_error.hpp"

namespace qv {

// The fault policy of one double: a fault raises its run-time error.
struct RaiseFaults {
  // The result of a step; infinite or NaN raises Overflow.
  static double checked(double r) {
    if (!std::isfinite(r)) [[unlikely]]
      raise(ErrorKind::Overflow);
    return r;
  }
  static double quot(double a, double b) {
    if (b == 0) [[unlikely]]
      raise(a == 0 ? ErrorKind::Overflow : ErrorKind::DivisionByZero);
    return checked(a / b);
  }
  static double root(double x) {
    if (x < 0) [[unlikely]]
      raise(ErrorKind::InvalidCall);
    return std::sqrt(x);
  }
};
inline constexpr RaiseFaults raising{};

inline double checked(double r) { return RaiseFaults::checked(r); }
inline double quot(double a, double b) { return RaiseFaults::quot(a, b); }
inline double root(double x) { return RaiseFaults::root(x); }

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
  using std::atan;
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
