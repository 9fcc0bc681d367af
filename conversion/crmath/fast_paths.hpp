// The single fast paths' double-double results before the rounding test, for
// measuring their error against the bounds of kernels.hpp (fast_path_error).
#pragma once

#include <cstdint>

namespace qv::cr {

// sin(ax + quadrantShift·π/512) for 2^-27 <= ax < ∞ (shift 256 gives the
// cosine).
void fastSinOfStepParts(double ax, std::uint32_t quadrantShift, double& hi, double& lo);
// atan(ax) for 2^-27 <= ax <= 2^54.
void fastAtanParts(double ax, double& hi, double& lo);

}  // namespace qv::cr
