// Doubles to and from decimal text: the standard library's where it has them,
// otherwise strtod and snprintf.

#include "conversion/detail/float_text.hpp"

#include <algorithm>
#include <cmath>

#if !(defined(__cpp_lib_to_chars) && __cpp_lib_to_chars >= 201611L)
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#endif

namespace qv {
namespace {

// The shortest text of a value with at most six decimals between 0.001 and
// 100,000 in magnitude, as most kilometres of a code are, without the
// general algorithm: the fewest decimals k whose n = round(v·10^k) reads
// back as v.  n / 10^k is then the double nearest that decimal (n < 2^53
// and 10^k are exact, the quotient is rounded once), and no shorter one
// reads back; at most one decimal of k places lies within half a unit in
// the last place of v, and in this range fixed notation is never longer
// than scientific.  nullptr where this does not apply.
char* writeShortDecimal(char* first, char* last, double v) {
  static constexpr double powers[] = {1, 10, 100, 1e3, 1e4, 1e5, 1e6};
  const double magnitude = v < 0 ? -v : v;
  if (!(magnitude >= 1e-3 && magnitude < 1e5) || last - first < 24) return nullptr;
  for (int k = 0; k <= 6; ++k) {
    // Rounded half to even by adding and taking away 2^52 (n < 10^11).
    const double n = (magnitude * powers[k] + 0x1p52) - 0x1p52;
    if (n / powers[k] != magnitude) continue;
    char digits[24];
    char* d = std::to_chars(digits, digits + sizeof digits, static_cast<long long>(n)).ptr;
    const int count = static_cast<int>(d - digits);
    char* out = first;
    if (v < 0) *out++ = '-';
    if (count <= k) {  // 0.00ddd
      *out++ = '0';
      *out++ = '.';
      for (int i = count; i < k; ++i) *out++ = '0';
      return std::copy(digits, d, out);
    }
    out = std::copy(digits, d - k, out);
    if (k > 0) {
      *out++ = '.';
      out = std::copy(d - k, d, out);
    }
    return out;
  }
  return nullptr;
}

}  // namespace

#if defined(__cpp_lib_to_chars) && __cpp_lib_to_chars >= 201611L

std::from_chars_result readDouble(const char* first, const char* last, double& v) {
  return std::from_chars(first, last, v);
}
char* writeShortest(char* first, char* last, double v) {
  if (char* end = writeShortDecimal(first, last, v)) return end;
  return std::to_chars(first, last, v).ptr;
}
char* writeShortestScientific(char* first, char* last, double v) {
  return std::to_chars(first, last, v, std::chars_format::scientific).ptr;
}
char* writeScientific(char* first, char* last, double v, int precision) {
  return std::to_chars(first, last, v, std::chars_format::scientific, precision).ptr;
}
char* writeFixed(char* first, char* last, double v, int precision) {
  return std::to_chars(first, last, v, std::chars_format::fixed, precision).ptr;
}

#else

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The length of what from_chars would read at the start of [first, last).
std::size_t numberLength(const char* first, const char* last) {
  const char* p = first;
  if (p < last && *p == '-') ++p;
  for (const char* word : {"infinity", "inf", "nan"}) {
    const std::size_t n = std::strlen(word);
    if (static_cast<std::size_t>(last - p) >= n && strncasecmp(p, word, n) == 0) return p + n - first;
  }
  std::size_t digits = 0;
  while (p < last && isDigit(*p)) ++p, ++digits;
  if (p < last && *p == '.')
    for (++p; p < last && isDigit(*p); ++p) ++digits;
  if (digits == 0) return 0;
  if (p < last && (*p == 'e' || *p == 'E')) {
    const char* q = p + 1;
    if (q < last && (*q == '+' || *q == '-')) ++q;
    if (q < last && isDigit(*q)) {
      while (q < last && isDigit(*q)) ++q;
      p = q;
    }
  }
  return static_cast<std::size_t>(p - first);
}

char* copyOut(char* first, char* last, const char* text, int n) {
  if (n < 0 || n > last - first) return last;
  std::memcpy(first, text, static_cast<std::size_t>(n));
  return first + n;
}

// The shortest digits that read back as v (finite, not zero) and the power
// of ten of the first: printf's correctly rounded digits, one more at a time.
int shortestDigits(double v, char* digits, int& exponent) {
  char text[40];
  for (int precision = 0; precision < 17; ++precision) {
    std::snprintf(text, sizeof text, "%.*e", precision, v);
    if (std::strtod(text, nullptr) != v && precision < 16) continue;
    int count = 0;
    const char* p = text + (text[0] == '-');
    for (; *p != 'e'; ++p)
      if (*p != '.') digits[count++] = *p;
    exponent = std::atoi(p + 1);
    while (count > 1 && digits[count - 1] == '0') --count;
    return count;
  }
  return 0;
}

}  // namespace

std::from_chars_result readDouble(const char* first, const char* last, double& v) {
  const std::size_t n = numberLength(first, last);
  if (n == 0) return {first, std::errc::invalid_argument};
  const std::string text(first, n);
  errno = 0;
  const double r = std::strtod(text.c_str(), nullptr);
  bool nonZeroText = false;
  for (const char c : text) {
    if (c == 'e' || c == 'E') break;
    nonZeroText = nonZeroText || (c >= '1' && c <= '9');
  }
  if (std::isinf(r) && text.find_first_of("iI") == std::string::npos)
    return {first + n, std::errc::result_out_of_range};
  if (r == 0 && nonZeroText) return {first + n, std::errc::result_out_of_range};
  v = r;
  return {first + n, std::errc()};
}

char* writeShortestScientific(char* first, char* last, double v) {
  char text[48];
  if (!std::isfinite(v) || v == 0) return copyOut(first, last, text, std::snprintf(text, sizeof text, "%.0e", v));
  char digits[20];
  int exponent = 0;
  const int count = shortestDigits(v, digits, exponent);
  std::string s = v < 0 ? "-" : "";
  s += digits[0];
  if (count > 1) s += '.' + std::string(digits + 1, static_cast<std::size_t>(count - 1));
  char tail[8];
  std::snprintf(tail, sizeof tail, "e%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
  s += tail;
  return copyOut(first, last, s.data(), static_cast<int>(s.size()));
}

char* writeShortest(char* first, char* last, double v) {
  if (char* end = writeShortDecimal(first, last, v)) return end;
  char text[400];
  if (!std::isfinite(v)) return copyOut(first, last, text, std::snprintf(text, sizeof text, "%g", v));
  if (v == 0) return copyOut(first, last, std::signbit(v) ? "-0" : "0", std::signbit(v) ? 2 : 1);
  char digits[20];
  int exponent = 0;
  const int count = shortestDigits(v, digits, exponent);
  std::string fixed = v < 0 ? "-" : "";
  if (exponent < 0) {
    fixed += "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + std::string(digits, count);
  } else if (exponent + 1 >= count) {
    // A whole number: of the texts as short, the one nearest v, its exact digits.
    std::snprintf(text, sizeof text, "%.0f", std::fabs(v));
    fixed += text;
  } else {
    fixed += std::string(digits, static_cast<std::size_t>(exponent + 1)) + '.' +
             std::string(digits + exponent + 1, static_cast<std::size_t>(count - exponent - 1));
  }
  char scientific[48];
  const int n = static_cast<int>(writeShortestScientific(scientific, scientific + sizeof scientific, v) - scientific);
  if (static_cast<int>(fixed.size()) <= n) return copyOut(first, last, fixed.data(), static_cast<int>(fixed.size()));
  return copyOut(first, last, scientific, n);
}

char* writeScientific(char* first, char* last, double v, int precision) {
  char text[400];
  return copyOut(first, last, text, std::snprintf(text, sizeof text, "%.*e", precision, v));
}

char* writeFixed(char* first, char* last, double v, int precision) {
  char text[400];
  return copyOut(first, last, text, std::snprintf(text, sizeof text, "%.*f", precision, v));
}

#endif

}  // namespace qv
