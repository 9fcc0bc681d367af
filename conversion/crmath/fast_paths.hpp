// The single fast paths and their rounding test, shared by the functions and
// the batch's lanes that leave the vector path.
#pragma once

#include <cstdint>

namespace qv::cr {

// hi + lo within err of the exact value (|lo| <= ulp(hi)/2, err well above
// 2^-104·|hi|): out is the rounded value, and true where the interval rounds to
// that one double (rounding to nearest is monotone, so both ends agree).
inline bool roundsSafely(double hi, double lo, double err, double& out) {
  const double up = hi + (lo + err), down = hi + (lo - err);
  out = up;
  return up == down;
}

// sin(ax + quadrantShift·π/512) for 2^-27 <= ax < ∞ (shift 256 gives the
// cosine); false where the rounding test leaves it to the accurate path.
bool fastSinOfStep(double ax, std::uint32_t quadrantShift, double& out);
// atan(ax) for 2^-27 <= ax <= 2^54, likewise.
bool fastAtan(double ax, double& out);

// The fast paths' double-double results before the rounding test, for
// measuring their error against the bounds of kernels.hpp.
void fastSinOfStepParts(double ax, std::uint32_t quadrantShift, double& hi, double& lo);
void fastAtanParts(double ax, double& hi, double& lo);

}  // namespace qv::cr
