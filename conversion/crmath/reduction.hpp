// Argument reduction by multiples of π/2^n for any finite double, with the
// bits of 2/π (Payne and Hanek): x·2^n/π = k + f exactly to within 2^-286.
#pragma once

#include <cstdint>

#include "conversion/crmath/big_fixed.hpp"

namespace qv::cr {

struct Reduced {
  std::uint32_t k;  // the nearest integer to x·2^n/π, modulo 2^(n+1)
  BigFixed f;       // |x·2^n/π − k|, at most 1/2
  bool negative;    // whether x·2^n/π < k
};

// x > 0 finite; scale n from 1 to 10 (π/2 gives n = 1, π/512 gives n = 9).
Reduced reduceByPiOver2ToThe(double x, int n);

// x·512/π = k + f with k modulo 1024, for the sine and cosine of 8192 <= x <
// ∞ (finite), and rh + rl = f·π/512 within 2^-104 relative: the rare
// arguments, kept out of the fast paths' code.
void reduceLargeByStep(double x, std::uint32_t& k, double& rh, double& rl);

}  // namespace qv::cr
