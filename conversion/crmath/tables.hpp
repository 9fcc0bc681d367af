// The constants of the correctly rounded sine, cosine and arc tangent (their
// values in tables.cpp, written by scripts/make-crmath-tables).
#pragma once

#include <cstdint>

#include "conversion/crmath/big_fixed.hpp"
#include "conversion/crmath/double_double.hpp"

namespace qv::cr::tables {

extern const double piOver512Part1, piOver512Part2, piOver512Part3;
extern const double piOver512Hi, piOver512Lo;
extern const double inverseOfPiOver512;
extern const double halfPiHi, halfPiLo;

extern const DoubleDouble sinOfStep[256];  // sin(i·π/512)
extern const DoubleDouble cosOfStep[256];  // cos(i·π/512)
extern const DoubleDouble atanOfStep[257]; // atan(i/256)

inline constexpr int twoOverPiWords = 48;
extern const std::uint32_t twoOverPi[twoOverPiWords];

extern const BigFixed quarterPiFixed, halfPiFixed;
extern const BigFixed atanOfSixtyFourth[65];  // atan(i/64)

}  // namespace qv::cr::tables
