// The hard-case file's reader.
#include "conversion/crmath/check/hard_cases.hpp"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <mpfr.h>

namespace qv::crcheck {
namespace {

bool blank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// The next blank-separated word of `rest`, which loses it.
std::string_view nextWord(std::string_view& rest) {
  const auto start = std::find_if_not(rest.begin(), rest.end(), blank);
  const auto end = std::find_if(start, rest.end(), blank);
  const std::string_view word(start, end);
  rest = std::string_view(end, rest.end());
  return word;
}

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

// Whether the text's value is `value` exactly: read again by MPFR with every
// bit it has (four a hexadecimal digit), none rounded away.
bool exactly(std::string_view text, double value) {
  const std::string copy(text);
  mpfr_t exact;
  mpfr_init2(exact, static_cast<mpfr_prec_t>(4 * copy.size() + 64));
  mpfr_strtofr(exact, copy.c_str(), nullptr, 16, MPFR_RNDN);
  const bool same = mpfr_cmp_d(exact, value) == 0;
  mpfr_clear(exact);
  return same;
}

// "0x" or "-0x", hexadecimal digits with at most one point, an optional
// binary exponent: the value, or a reason to refuse it.
double readHexFloat(std::string_view text, int line) {
  std::string_view digits = text;
  const bool negative = digits.starts_with('-');
  if (negative) digits.remove_prefix(1);
  if (!digits.starts_with("0x") && !digits.starts_with("0X"))
    throw MalformedLine(line, "input '" + std::string(text) + "' is not a hexadecimal float (0x…)");
  digits.remove_prefix(2);
  double value = 0;
  const auto [end, error] =
      std::from_chars(digits.data(), digits.data() + digits.size(), value, std::chars_format::hex);
  // from_chars also reads "inf" and "nan", which no hexadecimal float is.
  const bool digitFirst = !digits.empty() && (std::isxdigit(static_cast<unsigned char>(digits[0])) || digits[0] == '.');
  if (error != std::errc() || end != digits.data() + digits.size() || !digitFirst)
    throw MalformedLine(line, "input '" + std::string(text) + "' is not a hexadecimal float (0x…)");
  if (negative) value = -value;
  if (!exactly(text, value)) throw MalformedLine(line, "input '" + std::string(text) + "' is not exactly a double");
  return value;
}

}  // namespace

std::vector<HardCase> readHardCases(std::istream& in, std::span<const std::string_view> functions) {
  std::vector<HardCase> cases;
  std::string text;
  for (int line = 1; std::getline(in, text); ++line) {
    std::string_view rest = std::string_view(text).substr(0, text.find('#'));
    const std::string_view function = nextWord(rest);
    if (function.empty()) continue;
    if (std::find(functions.begin(), functions.end(), function) == functions.end())
      throw MalformedLine(line, "unknown function '" + std::string(function) + "'");
    const std::string_view input = nextWord(rest);
    if (input.empty()) throw MalformedLine(line, "no input after '" + std::string(function) + "'");
    const double value = readHexFloat(input, line);
    const std::string_view source = trimmed(rest);
    if (source.empty()) throw MalformedLine(line, "no source after the input");
    cases.push_back({std::string(function), value, std::string(source), line});
  }
  return cases;
}

}  // namespace qv::crcheck
