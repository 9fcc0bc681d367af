// Fixed-point arithmetic of the accurate path on 32-bit words (big_fixed.hpp).
#include "conversion/crmath/big_fixed.hpp"

#include <cmath>

namespace qv::cr {

namespace {

// Bit i of a counted from the most significant bit of w[0] (i = 0, weight 2^31).
bool bitAt(const BigFixed& a, int i) {
  if (i < 0 || i >= 32 * fixedWords) return false;
  return ((a.w[i / 32] >> (31 - i % 32)) & 1u) != 0;
}

int leadingBit(const BigFixed& a) {
  for (int i = 0; i < 32 * fixedWords; ++i)
    if (bitAt(a, i)) return i;
  return -1;
}

}  // namespace

BigFixed fixedOne() {
  BigFixed r{};
  r.w[0] = 1;
  return r;
}

BigFixed fixedFromDouble(double x) {
  BigFixed r{};
  int e = 0;
  const double m = std::frexp(x, &e);  // x = m·2^e, 1/2 <= m < 1
  auto mant = static_cast<std::uint64_t>(std::ldexp(m, 53));
  // Bit j of mant (from 0, least significant) has weight 2^(e - 53 + j); bit
  // index i from the top of w[0] has weight 2^(31 - i).
  for (int j = 0; j < 53; ++j) {
    if (((mant >> j) & 1u) == 0) continue;
    const int i = 31 - (e - 53 + j);
    if (i >= 0 && i < 32 * fixedWords) r.w[i / 32] |= 1u << (31 - i % 32);
  }
  return r;
}

double fixedToDouble(const BigFixed& a) {
  const int top = leadingBit(a);
  if (top < 0) return 0;
  std::uint64_t mant = 0;
  for (int i = top; i < top + 53; ++i) mant = (mant << 1) | (bitAt(a, i) ? 1u : 0u);
  const bool roundBit = bitAt(a, top + 53);
  bool sticky = false;
  for (int i = top + 54; i < 32 * fixedWords && !sticky; ++i) sticky = bitAt(a, i);
  if (roundBit && (sticky || (mant & 1u) != 0)) ++mant;  // 2^53 stays exact
  return std::ldexp(static_cast<double>(mant), 31 - (top + 52));
}

bool isZero(const BigFixed& a) {
  for (std::uint32_t w : a.w)
    if (w != 0) return false;
  return true;
}

bool lessThan(const BigFixed& a, const BigFixed& b) {
  for (int i = 0; i < fixedWords; ++i)
    if (a.w[i] != b.w[i]) return a.w[i] < b.w[i];
  return false;
}

BigFixed add(const BigFixed& a, const BigFixed& b) {
  BigFixed r{};
  std::uint64_t carry = 0;
  for (int i = fixedWords - 1; i >= 0; --i) {
    const std::uint64_t s = std::uint64_t{a.w[i]} + b.w[i] + carry;
    r.w[i] = static_cast<std::uint32_t>(s);
    carry = s >> 32;
  }
  return r;
}

BigFixed subtract(const BigFixed& a, const BigFixed& b) {
  BigFixed r{};
  std::uint64_t borrow = 0;
  for (int i = fixedWords - 1; i >= 0; --i) {
    const std::uint64_t d = std::uint64_t{a.w[i]} - b.w[i] - borrow;
    r.w[i] = static_cast<std::uint32_t>(d);
    borrow = (d >> 32) != 0 ? 1 : 0;
  }
  return r;
}

BigFixed multiply(const BigFixed& a, const BigFixed& b) {
  // Little-endian product of the two 320-bit integers a·2^288 and b·2^288;
  // the result a·b·2^288 is its words 9 … 18.
  std::uint32_t p[2 * fixedWords] = {};
  for (int i = 0; i < fixedWords; ++i) {
    const std::uint64_t ai = a.w[fixedWords - 1 - i];
    std::uint64_t carry = 0;
    for (int j = 0; j < fixedWords; ++j) {
      const std::uint64_t t = ai * b.w[fixedWords - 1 - j] + p[i + j] + carry;
      p[i + j] = static_cast<std::uint32_t>(t);
      carry = t >> 32;
    }
    p[i + fixedWords] = static_cast<std::uint32_t>(carry);
  }
  BigFixed r{};
  for (int i = 0; i < fixedWords; ++i) r.w[i] = p[2 * fixedWords - 2 - i];
  return r;
}

BigFixed multiplySmall(const BigFixed& a, std::uint32_t m) {
  BigFixed r{};
  std::uint64_t carry = 0;
  for (int i = fixedWords - 1; i >= 0; --i) {
    const std::uint64_t t = std::uint64_t{a.w[i]} * m + carry;
    r.w[i] = static_cast<std::uint32_t>(t);
    carry = t >> 32;
  }
  return r;
}

BigFixed divideSmall(const BigFixed& a, std::uint32_t d) {
  BigFixed r{};
  std::uint64_t rem = 0;
  for (int i = 0; i < fixedWords; ++i) {
    const std::uint64_t cur = (rem << 32) | a.w[i];
    r.w[i] = static_cast<std::uint32_t>(cur / d);
    rem = cur % d;
  }
  return r;
}

BigFixed shiftRight(const BigFixed& a, int bits) {
  BigFixed r{};
  const int words = bits / 32, rest = bits % 32;
  for (int i = fixedWords - 1; i >= words; --i) {
    std::uint32_t v = a.w[i - words] >> rest;
    if (rest != 0 && i - words - 1 >= 0) v |= a.w[i - words - 1] << (32 - rest);
    r.w[i] = v;
  }
  return r;
}

BigFixed reciprocal(const BigFixed& d) {
  // y ← y + y·(1 − d·y) doubles the correct bits: 53, 106, 212, then the
  // truncation of the words limits it; the fourth step is the margin.
  BigFixed y = fixedFromDouble(1 / fixedToDouble(d));
  const BigFixed one = fixedOne();
  for (int step = 0; step < 4; ++step) {
    const BigFixed dy = multiply(d, y);
    y = lessThan(dy, one) ? add(y, multiply(y, subtract(one, dy))) : subtract(y, multiply(y, subtract(dy, one)));
  }
  return y;
}

}  // namespace qv::cr
