// Unsigned fixed-point numbers of the accurate path: one integer word and
// nine fraction words of 32 bits (288 fraction bits), with integer arithmetic
// only, so that every platform computes the same bits.
//
// Each operation truncates below 2^-288; the integer part must stay below
// 2^32 (the accurate path's values are below 4).  Subtraction needs a >= b.
#pragma once

#include <cstdint>

namespace qv::cr {

inline constexpr int fixedWords = 10;

// value = w[0] + w[1]·2^-32 + … + w[9]·2^-288
struct BigFixed {
  std::uint32_t w[fixedWords];
};

BigFixed fixedOne();
// 0 <= x < 2^32, exactly where x has no bit below 2^-288.
BigFixed fixedFromDouble(double x);
// The double nearest a (rounded to nearest), or 0 for 0.
double fixedToDouble(const BigFixed& a);

bool isZero(const BigFixed& a);
bool lessThan(const BigFixed& a, const BigFixed& b);
BigFixed add(const BigFixed& a, const BigFixed& b);
BigFixed subtract(const BigFixed& a, const BigFixed& b);
BigFixed multiply(const BigFixed& a, const BigFixed& b);
BigFixed multiplySmall(const BigFixed& a, std::uint32_t m);
BigFixed divideSmall(const BigFixed& a, std::uint32_t d);  // d > 0
BigFixed shiftRight(const BigFixed& a, int bits);          // bits >= 0
// 1/d for 1 <= d <= 2, to within 2^-285 (Newton's iteration).
BigFixed reciprocal(const BigFixed& d);

}  // namespace qv::cr
