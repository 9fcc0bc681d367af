// The number texts and plain number texts of doubles, floats and counts.

#include "conversion/number_text.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <system_error>

#include "conversion/detail/float_text.hpp"

namespace qv {
namespace {

enum class Style { Signed, Plain };

// Significant digits (no trailing zeros) and decimal exponent of a positive
// magnitude rounded to `precision` digits: m = d.ddd… × 10^exponent.
struct Decimal {
  char digits[32] = {};  // up to 17 used; the rest is room for copyDigits
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

// A whole number of up to 128 bits, for the exact products below (without
// a compiler's 128-bit type, which 32-bit targets lack).
struct Wide {
  std::uint64_t high = 0, low = 0;

  std::uint64_t shiftedRight(int s) const {
    if (s >= 64) return high >> (s - 64);
    return (low >> s) | (high << (64 - s));
  }
  bool bit(int i) const { return ((i >= 64 ? high >> (i - 64) : low >> i) & 1) != 0; }
  // Whether any of the `count` lowest bits is set.
  bool anyBelow(int count) const {
    if (count == 0) return false;
    if (count <= 64) return (low & (~0ULL >> (64 - count))) != 0;
    return low != 0 || (high & (~0ULL >> (128 - count))) != 0;
  }
};

Wide multiply(std::uint64_t a, std::uint64_t b) {
  const std::uint64_t a0 = a & 0xffffffff, a1 = a >> 32, b0 = b & 0xffffffff, b1 = b >> 32;
  const std::uint64_t p00 = a0 * b0, p01 = a0 * b1, p10 = a1 * b0, p11 = a1 * b1;
  const std::uint64_t middle = (p00 >> 32) + (p01 & 0xffffffff) + (p10 & 0xffffffff);
  return {p11 + (p01 >> 32) + (p10 >> 32) + (middle >> 32), (middle << 32) | (p00 & 0xffffffff)};
}

// The 15 digits of 10^14 ≤ q < 10^15, two at a time in 32-bit arithmetic.
void writeFifteenDigits(char* out, std::uint64_t q) {
  static constexpr char pairs[] =
      "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
      "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
      "8081828384858687888990919293949596979899";
  auto high = static_cast<std::uint32_t>(q / 100000000);  // 7 digits
  auto low = static_cast<std::uint32_t>(q % 100000000);   // 8 digits
  for (int i = 14; i >= 8; i -= 2) {
    const std::uint32_t pair = low % 100;
    low /= 100;
    std::memcpy(out + i - 1, pairs + 2 * pair, 2);
  }
  for (int i = 6; i >= 1; i -= 2) {
    const std::uint32_t pair = high % 100;
    high /= 100;
    std::memcpy(out + i - 1, pairs + 2 * pair, 2);
  }
  out[0] = static_cast<char>('0' + high);
}

// The digits of the common magnitudes of a double text, 1e-4 up to 1e15 and
// not whole, from exact integer arithmetic: the magnitude is m·2^-shift, so
// m·10^k, at most 113 bits (Wide), shifted right by `shift` and rounded half to
// even is the magnitude rounded to the digits of 10^-k.  False where it does
// not apply.
bool exactDecimal(double magnitude, int precision, Decimal& d) {
  if (precision != 15 || !(magnitude >= 1e-4 && magnitude < 1e15)) return false;
  static constexpr std::uint64_t powers[] = {1ULL,
                                             10ULL,
                                             100ULL,
                                             1000ULL,
                                             10000ULL,
                                             100000ULL,
                                             1000000ULL,
                                             10000000ULL,
                                             100000000ULL,
                                             1000000000ULL,
                                             10000000000ULL,
                                             100000000000ULL,
                                             1000000000000ULL,
                                             10000000000000ULL,
                                             100000000000000ULL,
                                             1000000000000000ULL,
                                             10000000000000000ULL,
                                             100000000000000000ULL,
                                             1000000000000000000ULL};
  // A normal double in this range: its 52 stored bits with the hidden one.
  std::uint64_t bits = 0;
  std::memcpy(&bits, &magnitude, sizeof bits);
  const std::uint64_t m = (bits & ((1ULL << 52) - 1)) | (1ULL << 52);
  const int e2 = static_cast<int>(bits >> 52) - 1022;  // magnitude = m·2^(e2 - 53)
  const int shift = 53 - e2;
  if (shift <= 0) return false;
  const std::uint64_t low = powers[14], high = powers[15];
  // The power of ten of the leading digit, within one of the truth: the
  // loop below settles it.  1233/4096 is log10(2) from below.
  int x = ((e2 - 1) * 1233) >> 12;
  // Settled here for magnitudes of 1 and more, against exact powers of ten.
  if (x >= 0 && x < 15 && magnitude >= static_cast<double>(powers[x + 1])) ++x;
  for (int tries = 0; tries < 3; ++tries) {
    const int k = precision - 1 - x;
    if (k < 0 || k > 18) return false;
    const Wide n = multiply(m, powers[k]);
    std::uint64_t q = n.shiftedRight(shift);
    if (q >= high) {
      ++x;
      continue;
    }
    if (q < low) {
      --x;
      continue;
    }
    // Above half of the last unit, or exactly half with an odd digit: up.
    if (n.bit(shift - 1) && (n.anyBelow(shift - 1) || (q & 1) != 0)) ++q;
    if (q == high) {
      q = low;
      ++x;
    }
    writeFifteenDigits(d.digits, q);
    d.count = precision;
    d.exponent = x;
    while (d.count > 1 && d.digits[d.count - 1] == '0') --d.count;
    return true;
  }
  return false;
}

void toDecimal(double magnitude, int precision, Decimal& d) {
  if (exactDecimal(magnitude, precision, d)) return;
  // The shortest text that reads back as the value, rounded to `precision`
  // digits, is the value rounded to them: with at most `precision` digits
  // it lies on their grid within half a unit of the value's last bit, and
  // with more, a half-way point of the grid between it and the value would
  // have been a shorter text.  Only a text that is itself half-way (one
  // digit more, a 5) cannot tell which side the value lies on; the slower
  // exact rounding decides that one.
  char buf[40];
  const char* end = writeShortestScientific(buf, buf + sizeof buf, magnitude);
  d = parseScientific(buf, end);
  if (d.count > precision) {
    if (d.count == precision + 1 && d.digits[precision] == '5') {
      end = writeScientific(buf, buf + sizeof buf, magnitude, precision - 1);
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
}

// Copies `count` (at most 16) digits of a Decimal to `out` as one move of 16
// bytes, no call: the digits' array and numberTextRoom leave room for the
// bytes past `count`, which later characters overwrite or nobody reads.
char* copyDigits(char* out, const char* from, int count) {
  std::memcpy(out, from, 16);
  return out + count;
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
  Decimal d;
  toDecimal(magnitude, precision, d);
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
    p = copyDigits(p, d.digits, d.count);
  } else {
    const int whole = x + 1;
    p = copyDigits(p, d.digits, std::min(whole, d.count));
    if (d.count <= whole) {
      p = std::fill_n(p, whole - d.count, '0');
    } else {
      *p++ = '.';
      p = copyDigits(p, d.digits + whole, d.count - whole);
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
