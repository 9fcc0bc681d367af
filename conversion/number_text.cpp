// The number texts and plain number texts of doubles, floats and counts.

#include "number_text.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <system_error>

namespace qv {
namespace {

enum class Style { Signed, Plain };

// Significant digits (no trailing zeros) and decimal exponent of a positive
// magnitude rounded to `precision` digits: m = d.ddd… × 10^exponent.
struct Decimal {
  char digits[20];
  int count = 0;
  int exponent = 0;
};

Decimal toDecimal(double magnitude, int precision) {
  char buf[40];
  const char* end = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific, precision - 1).ptr;
  const char* e = std::find(static_cast<const char*>(buf), end, 'e');
  Decimal d;
  for (const char* p = buf; p < e; ++p)
    if (*p != '.') d.digits[d.count++] = *p;
  while (d.count > 1 && d.digits[d.count - 1] == '0') --d.count;
  std::from_chars(e + (e[1] == '+' ? 2 : 1), end, d.exponent);
  return d;
}

// 10^precision: the first whole number that needs the exponent form.
double limitOfDigits(int precision) { return precision == 15 ? 1e15 : 1e7; }

std::string format(double v, int precision, Style style) {
  char out[48];
  char* p = out;
  if (v < 0) {
    *p++ = '-';
  } else if (style == Style::Signed) {
    *p++ = ' ';
  }
  const double magnitude = std::fabs(v);
  if (magnitude == 0) {
    *p++ = '0';  // a negative zero is zero: it is not below 0, so no minus
    return {out, static_cast<std::size_t>(p - out)};
  }
  if (magnitude < limitOfDigits(precision) && magnitude == std::trunc(magnitude)) {
    // A whole number that the digits hold: just its digits (the common case
    // of distances, hours and counts).
    p = std::to_chars(p, out + sizeof out, static_cast<std::int64_t>(magnitude)).ptr;
    return {out, static_cast<std::size_t>(p - out)};
  }
  const Decimal d = toDecimal(magnitude, precision);
  const int x = d.exponent;
  if (x < -4 || x >= precision) {
    *p++ = d.digits[0];
    if (d.count > 1) {
      *p++ = '.';
      p = std::copy(d.digits + 1, d.digits + d.count, p);
    }
    *p++ = 'E';
    *p++ = x < 0 ? '-' : '+';
    if (std::abs(x) < 10) *p++ = '0';
    p = std::to_chars(p, out + sizeof out, std::abs(x)).ptr;
  } else if (x < 0) {
    if (style == Style::Plain) *p++ = '0';
    *p++ = '.';
    p = std::fill_n(p, -x - 1, '0');
    p = std::copy(d.digits, d.digits + d.count, p);
  } else {
    const int whole = x + 1;
    p = std::copy(d.digits, d.digits + std::min(whole, d.count), p);
    if (d.count <= whole) {
      p = std::fill_n(p, whole - d.count, '0');
    } else {
      *p++ = '.';
      p = std::copy(d.digits + whole, d.digits + d.count, p);
    }
  }
  return {out, static_cast<std::size_t>(p - out)};
}

}  // namespace

std::string numberText(double v) { return format(v, 15, Style::Signed); }
std::string numberText(float v) { return format(v, 7, Style::Signed); }
std::string plainNumberText(double v) { return format(v, 15, Style::Plain); }
std::string plainNumberText(float v) { return format(v, 7, Style::Plain); }

std::string numberText(std::int64_t v) { return v < 0 ? std::to_string(v) : " " + std::to_string(v); }
std::string plainNumberText(std::int64_t v) { return std::to_string(v); }

std::string plainNumberText(const std::optional<double>& v) { return v ? plainNumberText(*v) : std::string(); }

std::string leftCut(const std::string& s, std::size_t n) { return s.substr(0, n); }

}  // namespace qv
