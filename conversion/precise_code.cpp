// Writing precise codes: a double rounded correctly to a fixed number of
// decimals, from its exact binary value (float_text.hpp).

#include "conversion/precise_code.hpp"

#include <charconv>

#include "conversion/code_text.hpp"
#include "conversion/detail/float_text.hpp"

namespace qv {
namespace {

void appendFixed(std::string& s, double v, int decimals) {
  char digits[64];
  s.append(digits, writeFixed(digits, digits + sizeof digits, v, decimals));
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
