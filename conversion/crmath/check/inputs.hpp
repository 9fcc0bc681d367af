// The doubles the checker tries: the special ones, and reproducible random
// streams over the whole exponent range and over |x| < 8.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

namespace qv::crcheck {

// ±0, ±inf, NaN of both signs, the ends of the subnormals and the normals,
// and, each with both neighbours and both signs: 2^-27 and 2^-26 (about where
// cos x rounds to 1, and sin x and atan x to x), 1, π/2, π, 2π and 8 as
// doubles, 2^53, 1e22 and 2^1023; next to k·π/512 for k up to 4096 and to
// 509 times the odd ones.  No two with the same bits.
std::vector<double> specialInputs();

class RandomInputs {
 public:
  explicit RandomInputs(std::uint64_t seed) : rng_(seed) {}

  // Three in four: a uniformly random biased exponent 0..2046 (0: a
  // subnormal or zero), random significand and sign.  One in four: uniform
  // in value over (-8, 8), every significand bit random.
  double next();

 private:
  std::mt19937_64 rng_;
};

}  // namespace qv::crcheck
