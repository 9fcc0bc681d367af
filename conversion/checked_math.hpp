// Checked arithmetic and the angle helpers of every conversion.
//
// Floating-point faults are run-time errors, never silent infinities or NaNs:
// these helpers raise where a plain expression would produce one.  The
// degree/radian conversions and the arc cosine run in a fixed order of
// operations on the constants of reference_point.hpp.

#pragma once

#include <cmath>

#include "reference_point.hpp"
#include "runtime_error.hpp"

namespace qv {

// The result of a step; infinite or NaN raises Overflow.
inline double checked(double r) {
  if (!std::isfinite(r)) [[unlikely]]
    raise(ErrorKind::Overflow);
  return r;
}

inline double quot(double a, double b) {
  if (b == 0) [[unlikely]]
    raise(a == 0 ? ErrorKind::Overflow : ErrorKind::DivisionByZero);
  return checked(a / b);
}

inline double root(double x) {
  if (x < 0) [[unlikely]]
    raise(ErrorKind::InvalidCall);
  return std::sqrt(x);
}

// ((v·4)·arctan 1)/180
inline double degToRad(double v) { return checked(((v * 4) * arcTanOne()) / halfTurnDegrees); }

// (v·180)/(4·arctan 1)
inline double radToDeg(double v) { return checked((v * halfTurnDegrees) / pi()); }

// arctan(−x / √(−x·x + 1)): the arc sine of −x, and the general branch of the
// arc cosine without its 2·arctan(1).  No clamping: |x| > 1 raises.
inline double arcTanForm(double x) { return std::atan(quot(-x, root(-x * x + 1))); }

// The system's arc cosine: exact for 1 and −1, the arc tangent form otherwise.
inline double arcCos(double x) {
  if (x == 1) return 0;
  if (x == -1) return pi();
  return arcTanForm(x) + halfPi();
}

}  // namespace qv
