// Reading a code text back into its hour, offset and distance, checked
// against what a point on the sphere can have.  Read are the forms the system
// writes: the code text " m11:6.6 r236.8" with or without its leading blank
// (blanks and tabs around a code are left aside), the component's whole
// kilometres "m11:6 r236", and the report line's and the window's spacing
// with two blanks before the r, "m11:6.6  r236.8".  The hour is 1 to 12 and
// the kilometres have no leading zero and at most one decimal, which is not
// 0; anything else is refused naming its field.
//
// In: a code text.  Out: hour 1..12, offset and distance in km, the distance
// at most 20012.4 km and the offset at most what a point that far away can
// have at the far border of its 30° sector.  A malformed text raises
// CodeFormatError naming the field, and so does a code that no position has
// (an offset beyond every one that the distances written so allow, over the
// values its digits stand for: code_cover.hpp); positionOf raises the
// inverse's RuntimeError where no nearby offset makes the arithmetic hold.

#pragma once

#include <cstdint>
#include <stdexcept>
#include <string_view>

#include "conversion/position.hpp"

namespace qv {

struct CodeValues {
  std::int16_t hour = 0;  // 1..12
  double offsetKm = 0;
  double distanceKm = 0;
};

// A malformed code; the message names the bad field.
class CodeFormatError : public std::invalid_argument {
 public:
  using std::invalid_argument::invalid_argument;
};

// The farthest distance on the sphere, 180 × 111.18 km.
inline constexpr double maxDistanceKm = 20012.4;

// The largest offset that a point `distanceKm` away can have: at the far
// border of its 30° hour sector.
double maxOffsetKm(double distanceKm);
// min(offsetKm, maxOffsetKm(distanceKm)), without the trigonometry where the
// offset is plainly within reach.
double offsetWithinReach(double offsetKm, double distanceKm);

CodeValues readCode(std::string_view text);
// A precise code of exactly `decimals` decimals each (0 to 6; see
// precise_code.hpp), with or without a leading blank, checked against the
// sphere as readCode checks a code text; raises CodeFormatError naming the
// field.
CodeValues readPreciseCode(std::string_view text, int decimals);

// The position of code values by the inverse conversion.  On the hour's ray
// (offset 0) the sector cosine can round just past 1 and the inverse fails;
// the text cannot tell an offset of 0 from one of a few centimetres, so the
// offset is then raised in steps of 0.1 mm up to a metre until the arithmetic
// holds.  Raises the inverse's run-time error where even that does not help.
Position positionOf(const CodeValues& code);

}  // namespace qv
