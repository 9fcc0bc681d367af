// Reading positions in the compact form of ISO 6709 in which place tables
// store them: a signed latitude, a signed longitude, no blanks, an optional
// height and a closing "/".
//
//   +4808+01134              ±DDMM±DDDMM
//   +480813+0113431          ±DDMMSS±DDDMMSS
//   +48.1369+011.5753        decimal degrees
//   +4808.2+01134.5/         decimal minutes (or seconds), the closing /
//   +480813+0113431+520/     a height in metres, read and left aside
//
// The latitude has 2, 4 or 6 whole digits and the longitude 3, 5 or 7; only
// the last part may have decimals.  A coordinate is (degrees + minutes/60) +
// seconds/3600, negated for "-", as the other forms of position_reader.hpp.
#pragma once

#include <optional>
#include <string_view>

#include "conversion/position.hpp"

namespace qv {

// The position of `text` (without surrounding blanks) when it has the shape
// above, nullopt when it has not.  Minutes or seconds of 60 or more raise
// PositionError quoting the text.
std::optional<Position> readIso6709(std::string_view text);

}  // namespace qv
