// The compact ISO 6709 form: its shape read by digit counts, then its parts.

#include "conversion/detail/iso6709.hpp"

#include <array>
#include <cmath>
#include <string>

#include "conversion/detail/decimal_number.hpp"
#include "conversion/position.hpp"

namespace qv {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// A signed number at the start of `s`: its whole digits and its decimals
// (the point included); false when no sign and digit start it.
struct SignedField {
  bool minus = false;
  std::string_view whole, decimals;
};

bool takeField(std::string_view& s, SignedField& f) {
  if (s.size() < 2 || (s[0] != '+' && s[0] != '-') || !isDigit(s[1])) return false;
  f.minus = s[0] == '-';
  std::size_t i = 1;
  while (i < s.size() && isDigit(s[i])) ++i;
  f.whole = s.substr(1, i - 1);
  const std::size_t point = i;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && isDigit(s[i])) ++i;
    if (i == point + 1) return false;
  }
  f.decimals = s.substr(point, i - point);
  s.remove_prefix(i);
  return true;
}

// (degrees + minutes/60) + seconds/3600 of a field whose whole digits split
// into `degreeDigits` of degrees and pairs of minutes and seconds.
double angle(std::string_view text, const SignedField& f, std::size_t degreeDigits) {
  constexpr std::array<const char*, 3> names = {"degrees", "minutes", "seconds"};
  const std::size_t count = 1 + (f.whole.size() - degreeDigits) / 2;
  double a = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t at = i == 0 ? 0 : degreeDigits + 2 * (i - 1);
    std::string part(f.whole.substr(at, i == 0 ? degreeDigits : 2));
    if (i + 1 == count) part += f.decimals;
    const double v = *decimalNumber(part);
    if (i > 0 && !(v < 60))
      throw PositionError("'" + std::string(text) + "' is not a position: its " + names[i] + " must be below 60, not " +
                          part);
    // (degrees + minutes/60) + seconds/3600, in this order.
    a = i == 0 ? v : a + v / (i == 1 ? 60 : 3600);
  }
  return f.minus ? -a : a;
}

}  // namespace

std::optional<Position> readIso6709(std::string_view text) {
  std::string_view rest = text;
  SignedField latitude, longitude, height;
  if (!takeField(rest, latitude) || !takeField(rest, longitude)) return std::nullopt;
  if (!rest.empty() && rest.front() != '/' && !takeField(rest, height)) return std::nullopt;
  if (rest == "/") rest.remove_prefix(1);
  const std::size_t a = latitude.whole.size(), b = longitude.whole.size();
  if (!rest.empty() || (a != 2 && a != 4 && a != 6) || b != a + 1) return std::nullopt;
  return Position{angle(text, latitude, 2), angle(text, longitude, 3)};
}

}  // namespace qv
