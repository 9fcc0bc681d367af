// The code text of a code's numbers and the one-decimal text of its distances.

#include "conversion/code_text.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "conversion/detail/checked_math.hpp"
#include "conversion/number_text.hpp"

namespace qv {

char* writeOneDecimal(char* out, double v) {
  if (v >= 0 && v < 1e8) {
    // The kilometres of a code, without calls: 2^52 added and taken away
    // rounds v·10 half to even as nearbyint does in the default mode, and
    // the whole part of a number that is not negative is its truncation.
    const double tenths = (v * 10 + 0x1p52) - 0x1p52;
    const auto t = static_cast<std::int32_t>(tenths) % 10;
    char whole[20];
    const char* end = std::to_chars(whole, whole + sizeof whole, static_cast<std::int64_t>(v)).ptr;
    out = std::copy<const char*>(whole, std::min<const char*>(end, whole + 5), out);
    if (t != 0) {
      *out++ = '.';
      *out++ = static_cast<char>('0' + t);
    }
    return out;
  }
  // Mod works on whole numbers: v·10 is first rounded half-even (the default
  // rounding mode) into the 32-bit range.  Everything is checked before the
  // first character is written.
  const double tenths = std::nearbyint(checked(v * 10));
  if (tenths > std::numeric_limits<std::int32_t>::max() || tenths < std::numeric_limits<std::int32_t>::min())
    throw RuntimeError(ErrorKind::Overflow);
  const auto t = static_cast<std::int32_t>(tenths) % 10;
  char whole[numberTextRoom];
  // Without the sign position, cut to 5 characters.  The kilometres of a
  // code, whole and not negative, need no number text to get their digits.
  const double floorV = std::floor(v);
  const char* end = floorV >= 0 && floorV < 1e15
                        ? std::to_chars(whole + 1, whole + sizeof whole, static_cast<std::int64_t>(floorV)).ptr
                        : writeNumberText(whole, floorV);
  out = std::copy<const char*>(whole + 1, std::min<const char*>(end, whole + 6), out);
  if (t != 0) {
    *out++ = '.';
    out = std::to_chars(out, out + 2, t).ptr;  // at most "-9"
  }
  return out;
}

std::string oneDecimalText(double v) {
  char text[oneDecimalRoom];
  return {text, static_cast<std::size_t>(writeOneDecimal(text, v) - text)};
}

std::string hourText(std::int16_t hour) {
  char text[2];
  return {text, static_cast<std::size_t>(writeHour(text, hour) - text)};
}

char* writeHour(char* out, std::int16_t hour) {
  // All the digits of the hour (an int16 needs at most 6 characters), cut to 2.
  char digits[8];
  const char* end = std::to_chars(digits, digits + sizeof digits, hour).ptr;
  return std::copy<const char*>(digits, std::min<const char*>(end, digits + 2), out);
}

char* writeCode(char* out, std::int16_t hour, double offsetKm, double distanceKm) {
  *out++ = 'm';
  out = writeHour(out, hour);
  *out++ = ':';
  out = writeOneDecimal(out, offsetKm);
  *out++ = ' ';
  *out++ = 'r';
  return writeOneDecimal(out, distanceKm);
}

}  // namespace qv
