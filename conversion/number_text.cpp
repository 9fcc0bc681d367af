#include "number_text.hpp"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <system_error>

namespace qv {
namespace {

enum class Style { Signed, Plain };

// Decimal digits (no trailing zeros) and exponent of |v| rounded to `precision`
// significant digits: v ≈ 0.d1d2d3… × 10^(exponent + 1).
struct Decimal {
  std::string digits;
  int exponent = 0;
};

Decimal toDecimal(double magnitude, int precision) {
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific, precision - 1);
  std::string text(buf, res.ptr);
  const auto e = text.find('e');
  Decimal d;
  for (std::size_t i = 0; i < e; ++i)
    if (text[i] != '.') d.digits += text[i];
  while (d.digits.size() > 1 && d.digits.back() == '0') d.digits.pop_back();
  std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(), d.exponent);
  return d;
}

// 10^precision: the first whole number that needs the exponent form.
double limitOfDigits(int precision) { return precision == 15 ? 1e15 : 1e7; }

std::string format(double v, int precision, Style style) {
  if (v == 0) return style == Style::Signed ? " 0" : "0";
  std::string out = v < 0 ? "-" : (style == Style::Signed ? " " : "");
  const double magnitude = std::fabs(v);
  if (magnitude < limitOfDigits(precision) && magnitude == std::trunc(magnitude)) {
    // A whole number that the digits hold: just its digits (the common case
    // of distances, hours and counts).
    char buf[24];
    const auto res = std::to_chars(buf, buf + sizeof buf, static_cast<std::int64_t>(magnitude));
    return out.append(buf, res.ptr);
  }
  const Decimal d = toDecimal(magnitude, precision);
  const int x = d.exponent;
  if (x < -4 || x >= precision) {
    out += d.digits[0];
    if (d.digits.size() > 1) out += "." + d.digits.substr(1);
    out += x < 0 ? "E-" : "E+";
    const std::string exp = std::to_string(std::abs(x));
    if (exp.size() < 2) out += '0';
    return out + exp;
  }
  if (x < 0) {
    if (style == Style::Plain) out += '0';
    return out + "." + std::string(static_cast<std::size_t>(-x - 1), '0') + d.digits;
  }
  const auto whole = static_cast<std::size_t>(x) + 1;
  if (d.digits.size() <= whole) return out + d.digits + std::string(whole - d.digits.size(), '0');
  return out + d.digits.substr(0, whole) + "." + d.digits.substr(whole);
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
