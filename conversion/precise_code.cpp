// Writing precise codes: std::to_chars rounds a double to a fixed number of
// decimals correctly, from its exact binary value.

#include "conversion/precise_code.hpp"

#include <charconv>

#include "conversion/code_text.hpp"

namespace qv {
namespace {

void appendFixed(std::string& s, double v, int decimals) {
  char digits[64];
  const auto r = std::to_chars(digits, digits + sizeof digits, v, std::chars_format::fixed, decimals);
  s.append(digits, r.ptr);
}

}  // namespace

std::string preciseCodeText(std::int16_t hour, double offsetKm, double distanceKm, int decimals) {
  std::string s = "m" + hourText(hour) + ":";
  appendFixed(s, offsetKm, decimals);
  s += " r";
  appendFixed(s, distanceKm, decimals);
  return s;
}

}  // namespace qv
