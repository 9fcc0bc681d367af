// Payne and Hanek's reduction: only the words of 2/π that matter for x.
#include "conversion/crmath/reduction.hpp"

#include <cmath>

#include "conversion/crmath/double_double.hpp"
#include "conversion/crmath/tables.hpp"

namespace qv::cr {

namespace {

constexpr int windowWords = 12;                // words of 2/π used, 384 bits
constexpr int productWords = windowWords + 2;  // times a 53-bit integer

// 32 bits of the little-endian integer p whose lowest bit is at `pos`; bits
// outside p read as 0.
std::uint32_t bitsFrom(const std::uint32_t (&p)[productWords], int pos) {
  const int word = pos >= 0 ? pos / 32 : -((31 - pos) / 32);  // rounded down
  const int shift = pos - 32 * word;                          // 0 … 31
  const auto at = [&p](int i) { return i >= 0 && i < productWords ? std::uint64_t{p[i]} : 0; };
  return static_cast<std::uint32_t>(((at(word + 1) << 32) | at(word)) >> shift);
}

}  // namespace

Reduced reduceByPiOver2ToThe(double x, int n) {
  // x = m·2^e with m a 53-bit integer; x·2^n/π = m·2^(e+n−1)·(2/π).
  int e = 0;
  const auto m = static_cast<std::uint64_t>(std::ldexp(std::frexp(x, &e), 53));
  const int scale = e - 53 + n - 1;
  const int kBits = n + 1;
  // Word j of 2/π (weight 2^(−32(j+1))) contributes m·W_j·2^(scale−32(j+1)),
  // a multiple of 2^kBits, hence nothing modulo 2^kBits, while
  // scale − 32(j+1) >= kBits: skip those words.
  const int first = scale >= kBits ? (scale - kBits) / 32 : 0;
  std::uint32_t p[productWords] = {};
  const std::uint64_t mw[2] = {m & 0xffffffffu, m >> 32};
  for (int t = 0; t < windowWords; ++t) {
    const std::uint64_t wt = tables::twoOverPi[first + windowWords - 1 - t];
    std::uint64_t carry = 0;
    for (int s = 0; s < 2; ++s) {
      const std::uint64_t v = wt * mw[s] + p[t + s] + carry;
      p[t + s] = static_cast<std::uint32_t>(v);
      carry = v >> 32;
    }
    for (int s = t + 2; carry != 0 && s < productWords; ++s) {
      const std::uint64_t v = std::uint64_t{p[s]} + carry;
      p[s] = static_cast<std::uint32_t>(v);
      carry = v >> 32;
    }
  }
  // p·2^(−point) is x·2^n/π less the skipped multiples of 2^kBits and the
  // tail of 2/π beyond the window, which adds under 2^(53−point) <= 2^-290.
  const int point = 32 * (first + windowWords) - scale;
  Reduced r{};
  r.k = bitsFrom(p, point) & ((1u << kBits) - 1);
  for (int l = 1; l < fixedWords; ++l) r.f.w[l] = bitsFrom(p, point - 32 * l);
  if ((r.f.w[1] >> 31) != 0) {  // f >= 1/2: round k up
    r.k = (r.k + 1) & ((1u << kBits) - 1);
    r.f = subtract(fixedOne(), r.f);
    r.negative = true;
  }
  return r;
}

void reduceLargeByStep(double x, std::uint32_t& k, double& rh, double& rl) {
  const Reduced red = reduceByPiOver2ToThe(x, 9);
  // f in double-double (f exact to 2^-286), times π/512 in double-double.
  const double fh = fixedToDouble(red.f);
  const BigFixed fhFixed = fixedFromDouble(fh);
  const double fl =
      lessThan(red.f, fhFixed) ? -fixedToDouble(subtract(fhFixed, red.f)) : fixedToDouble(subtract(red.f, fhFixed));
  double p = 0, pe = 0;
  twoProd(fh, tables::piOver512Hi, p, pe);
  pe = pe + (fh * tables::piOver512Lo + fl * tables::piOver512Hi);
  fastTwoSum(p, pe, rh, rl);
  if (red.negative) {
    rh = -rh;
    rl = -rl;
  }
  k = red.k;
}

}  // namespace qv::cr
