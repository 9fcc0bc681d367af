// Checked arithmetic: floating-point faults are run-time errors, never silent
// infinities or NaNs.  These helpers raise where a plain expression would
// produce one.
//
// Each step is written once, for a number type T and a fault policy F:
// RaiseFaults (a double, raising at the first fault) serves every single
// conversion; a batch of points passes its lanes and a policy that marks the
// faulty lanes instead (round_trip_lanes.hpp), so both run the same
// operations in the same order.

#pragma once

#include <cmath>

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

}  // namespace qv
