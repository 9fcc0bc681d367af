// Decimal numbers read in full, the one way every reader of the system treats
// the ends of the double range.
#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string_view>

namespace qv {

// The number that the whole of `text` spells as std::from_chars reads it,
// after at most one sign, "+" or "-" (digits with at most one ".", an
// optional exponent; also "inf" and "nan"), or nullopt when the text is
// anything else: the empty text, and two signs such as "+-5", included.  A
// magnitude below the smallest double reads as a zero of its sign ("-1e-400"
// is -0); a magnitude beyond the largest raises Overflow.
std::optional<double> decimalNumber(std::string_view text);

// The value of digits with at most one point between digits ("236.8",
// checked by the caller), as std::from_chars reads it, or nullopt where that
// is out of range.
std::optional<double> longDecimal(std::string_view digits);

// The same, quick where there are at most 15 digits in all: they are then a
// whole number below 2^53 and 10^k is exact, so their quotient, rounded once,
// is the double nearest the same rational that from_chars rounds.  `point`
// is where the point stands in `digits`, or their size.  Inline: the filters
// read two of these a line.
inline std::optional<double> unsignedDecimal(std::string_view digits, std::size_t point) {
  static constexpr double powers[] = {1,   10,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                      1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  const std::size_t decimals = point == digits.size() ? 0 : digits.size() - point - 1;
  if (point + decimals <= 15) {
    std::int64_t whole = 0;
    for (std::size_t i = 0; i < point; ++i) whole = whole * 10 + (digits[i] - '0');
    for (std::size_t i = point + 1; i < digits.size(); ++i) whole = whole * 10 + (digits[i] - '0');
    return static_cast<double>(whole) / powers[decimals];
  }
  return longDecimal(digits);
}
inline std::optional<double> unsignedDecimal(std::string_view digits) {
  return unsignedDecimal(digits, std::min(digits.find('.'), digits.size()));
}

}  // namespace qv
