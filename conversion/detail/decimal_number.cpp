// Decimal numbers read in full: underflow is a signed zero, overflow an error.

#include "conversion/detail/decimal_number.hpp"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdint>
#include <system_error>

#include "conversion/detail/float_text.hpp"
#include "conversion/runtime_error.hpp"

namespace qv {
namespace {

bool isDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

// Whether a text that from_chars found out of range is at or above 1 in
// magnitude: the power of ten of its leading significant digit, with the
// exponent added, is not negative.  Out of range, that is beyond the largest
// double; below 1 it is below the smallest.
bool atLeastOne(std::string_view t) {
  std::size_t i = t.front() == '-' ? 1 : 0;
  long long significantWhole = 0;
  for (; i < t.size() && isDigit(t[i]); ++i)
    if (significantWhole > 0 || t[i] != '0') ++significantWhole;
  long long lead = significantWhole - 1;  // the power of ten of the leading significant digit
  if (i < t.size() && t[i] == '.') {
    bool found = significantWhole > 0;
    for (++i; i < t.size() && isDigit(t[i]); ++i) {
      if (found) continue;
      if (t[i] == '0')
        --lead;
      else
        found = true;
    }
  }
  long long exponent = 0;
  if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
    ++i;
    const bool negative = i < t.size() && t[i] == '-';
    if (i < t.size() && (t[i] == '-' || t[i] == '+')) ++i;
    // Saturated: only the side of the range matters beyond this.
    for (; i < t.size() && isDigit(t[i]); ++i)
      exponent = std::min(exponent * 10 + (t[i] - '0'), 1'000'000'000'000'000LL);
    if (negative) exponent = -exponent;
  }
  return lead + exponent >= 0;
}

}  // namespace

std::optional<double> longDecimal(std::string_view digits) {
  double v = 0;
  if (readDouble(digits.data(), digits.data() + digits.size(), v).ec != std::errc()) return std::nullopt;
  return v;
}

std::optional<double> decimalNumber(std::string_view text) {
  // from_chars takes a "-" but no "+"; one sign of either kind, never two.
  if (text.starts_with('+')) {
    text.remove_prefix(1);
    if (text.starts_with('-')) return std::nullopt;
  }
  double v = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = readDouble(text.data(), end, v);
  if (text.empty() || ptr != end) return std::nullopt;
  if (ec == std::errc()) return v;
  if (ec != std::errc::result_out_of_range) return std::nullopt;
  if (atLeastOne(text)) throw RuntimeError(ErrorKind::Overflow);
  return text.front() == '-' ? -0.0 : 0.0;
}

}  // namespace qv
