// The code text of a code's numbers: "m11:6.6 r236.8" for hour 11, offset
// 6.643 km, distance 236.78 km.  Each number is written with its whole
// kilometres truncated and its tenth from the value rounded half-even to
// tenths, a tenth of 0 left out: 523.96 km is "523", 523.06 km "523.1".
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace qv {

// A distance v >= 0 with at most one decimal: the whole part truncated, the
// tenth taken from the value rounded half-even to tenths ("523" for 523.96,
// "523.1" for 523.06), the whole part cut to 5 characters.  Raises Overflow
// when v·10 is not finite or leaves the 32-bit range.
std::string oneDecimalText(double v);
// The same written at `out` (room for oneDecimalRoom characters); returns
// its end, and raises before writing anything.
inline constexpr std::size_t oneDecimalRoom = 16;
char* writeOneDecimal(char* out, double v);

// The hour as the codes write it: its digits, at most 2 characters (a
// leading "-" counts as one).
std::string hourText(std::int16_t hour);
// The same written at `out` (room for 2 characters); returns its end.
char* writeHour(char* out, std::int16_t hour);

// The code text "m<hour>:<offset> r<distance>", without the leading blank of
// the system's code text, written at `out` (room for codeRoom characters)
// from the offset and distance in km; returns its end.  Raises where
// oneDecimalText would.
inline constexpr std::size_t codeRoom = 8 + 2 * oneDecimalRoom;
char* writeCode(char* out, std::int16_t hour, double offsetKm, double distanceKm);

}  // namespace qv
