// The constants of the correctly rounded sine, cosine and arc tangent (their
// values in tables.cpp, written by scripts/make-crmath-tables).
#pragma once

#include <cstdint>

#include "conversion/crmath/big_fixed.hpp"

namespace qv::cr {
struct DoubleDouble {
  double hi;
  double lo;
};
}  // namespace qv::cr

namespace qv::cr::tables {

extern const double piOver512Part1, piOver512Part2, piOver512Part3;
extern const double piOver512Hi, piOver512Lo;
extern const double inverseOfPiOver512;
extern const double halfPiHi, halfPiLo;

// {sin hi, sin lo, cos hi, cos lo} of i·π/512
alignas(32) extern const double sinCosOfStep[256][4];
// atan(i/256) for i = 0 … 256; from 257, atan c for c the middle of x's
// interval of its binade's top significand bits, 1 <= x < 512 (the layout in
// tables.cpp).
inline constexpr int atanAboveOne = 257;
extern const DoubleDouble atanOfStep[768];

inline constexpr int twoOverPiWords = 48;
extern const std::uint32_t twoOverPi[twoOverPiWords];

extern const BigFixed quarterPiFixed, halfPiFixed;
extern const BigFixed atanOfSixtyFourth[65];  // atan(i/64)

}  // namespace qv::cr::tables
