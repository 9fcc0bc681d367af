// The number texts and plain number texts of doubles, floats and counts.

#include "conversion/number_text.hpp"

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

// Parses to_chars' scientific form "d.ddde±x".
Decimal parseScientific(const char* buf, const char* end) {
  const char* e = std::find(buf, end, 'e');
  Decimal d;
  for (const char* p = buf; p < e; ++p)
    if (*p != '.') d.digits[d.count++] = *p;
  std::from_chars(e + (e[1] == '+' ? 2 : 1), end, d.exponent);
  return d;
}

Decimal toDecimal(double magnitude, int precision) {
  // The shortest text that reads back as the value, rounded to `precision`
  // digits, is the value rounded to them: with at most `precision` digits
  // it lies on their grid within half a unit of the value's last bit, and
  // with more, a half-way point of the grid between it and the value would
  // have been a shorter text.  Only a text that is itself half-way (one
  // digit more, a 5) cannot tell which side the value lies on; the slower
  // exact rounding decides that one.
  char buf[40];
  const char* end = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific).ptr;
  Decimal d = parseScientific(buf, end);
  if (d.count > precision) {
    if (d.count == precision + 1 && d.digits[precision] == '5') {
      end = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific, precision - 1).ptr;
      d = parseScientific(buf, end);
    } else {
      const bool up = d.digits[precision] >= '5';
      d.count = precision;
      for (int i = precision - 1; up && i >= 0; --i) {
        if (d.digits[i] != '9') {
          ++d.digits[i];
          break;
        }
        d.digits[i] = '0';
        if (i == 0) {
          d.digits[0] = '1';
          ++d.exponent;
        }
      }
    }
  }
  while (d.count > 1 && d.digits[d.count - 1] == '0') --d.count;
  return d;
}

// 10^precision: the first whole number that needs the exponent form.
double limitOfDigits(int precision) { return precision == 15 ? 1e15 : 1e7; }

char* format(char* out, double v, int precision, Style style) {
  char* p = out;
  if (v < 0) {
    *p++ = '-';
  } else if (style == Style::Signed) {
    *p++ = ' ';
  }
  const double magnitude = std::fabs(v);
  if (magnitude == 0) {
    *p++ = '0';  // a negative zero is zero: it is not below 0, so no minus
    return p;
  }
  if (magnitude < limitOfDigits(precision) && magnitude == std::trunc(magnitude)) {
    // A whole number that the digits hold: just its digits (the common case
    // of distances, hours and counts), at most 15 of them below 10^15.
    p = std::to_chars(p, p + 15, static_cast<std::int64_t>(magnitude)).ptr;
    return p;
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
    // At most three digits: the exponents of doubles run from -324 to 308.
    p = std::to_chars(p, p + 3, std::abs(x)).ptr;
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
  return p;
}

std::string text(double v, int precision, Style style) {
  char out[numberTextRoom];
  return {out, static_cast<std::size_t>(format(out, v, precision, style) - out)};
}

}  // namespace

char* writeNumberText(char* out, double v) { return format(out, v, 15, Style::Signed); }
char* writePlainNumberText(char* out, double v) { return format(out, v, 15, Style::Plain); }

std::string numberText(double v) { return text(v, 15, Style::Signed); }
std::string numberText(float v) { return text(v, 7, Style::Signed); }
std::string plainNumberText(double v) { return text(v, 15, Style::Plain); }
std::string plainNumberText(float v) { return text(v, 7, Style::Plain); }

std::string numberText(std::int64_t v) { return v < 0 ? std::to_string(v) : " " + std::to_string(v); }
std::string plainNumberText(std::int64_t v) { return std::to_string(v); }

std::string plainNumberText(const std::optional<double>& v) { return v ? plainNumberText(*v) : std::string(); }

std::string leftCut(const std::string& s, std::size_t n) { return s.substr(0, n); }

}  // namespace qv
