// Sine, cosine and arc tangent by their Taylor series in fixed point, after
// an exact reduction (accurate.hpp).
#include "conversion/crmath/accurate.hpp"

#include <cmath>
#include <cstdint>

#include "conversion/crmath/big_fixed.hpp"
#include "conversion/crmath/reduction.hpp"
#include "conversion/crmath/tables.hpp"

namespace qv::cr {

namespace {

// Σ (−1)^n x^(start+2n) / d_n, where d_0 = 1 and each next term is the last
// times x² divided by `next(n)`; the positive and negative terms are summed
// apart so that only unsigned arithmetic is needed.  0 <= x <= 1.
template <class NextDivisor>
BigFixed alternatingSeries(const BigFixed& first, const BigFixed& x, NextDivisor next) {
  const BigFixed x2 = multiply(x, x);
  BigFixed plus = first, minus{}, term = first;
  for (std::uint32_t n = 1;; ++n) {
    term = next(multiply(term, x2), n);
    if (isZero(term)) break;
    (n % 2 != 0 ? minus : plus) = add(n % 2 != 0 ? minus : plus, term);
  }
  return subtract(plus, minus);
}

BigFixed sinSeries(const BigFixed& r) {  // 0 <= r <= π/4
  return alternatingSeries(r, r,
                           [](const BigFixed& t, std::uint32_t n) { return divideSmall(t, (2 * n) * (2 * n + 1)); });
}

BigFixed cosSeries(const BigFixed& r) {
  return alternatingSeries(fixedOne(), r,
                           [](const BigFixed& t, std::uint32_t n) { return divideSmall(t, (2 * n - 1) * (2 * n)); });
}

BigFixed atanSeries(const BigFixed& u) {  // 0 <= u <= 1/128
  BigFixed plus = u, minus{}, power = u;
  const BigFixed u2 = multiply(u, u);
  for (std::uint32_t n = 1;; ++n) {
    power = multiply(power, u2);
    const BigFixed term = divideSmall(power, 2 * n + 1);
    if (isZero(term)) break;
    (n % 2 != 0 ? minus : plus) = add(n % 2 != 0 ? minus : plus, term);
  }
  return subtract(plus, minus);
}

// sin or cos of |x| >= 2^-27: x = qπ/2 ± r with 0 <= r <= π/4.
double sinOfQuadrant(double ax, std::uint32_t quadrantShift) {
  const Reduced red = reduceByPiOver2ToThe(ax, 1);
  const BigFixed r = multiply(add(red.f, red.f), tables::quarterPiFixed);
  const std::uint32_t q = (red.k + quadrantShift) & 3u;
  // sin(qπ/2 + θ) is sin θ, cos θ, −sin θ, −cos θ for q = 0 … 3, with θ = ±r.
  double v = (q % 2 == 0) ? fixedToDouble(sinSeries(r)) : fixedToDouble(cosSeries(r));
  if (q % 2 == 0 && red.negative) v = -v;
  return q >= 2 ? -v : v;
}

}  // namespace

double accurateSin(double x) {
  const double v = sinOfQuadrant(std::fabs(x), 0);
  return x < 0 ? -v : v;
}

double accurateCos(double x) { return sinOfQuadrant(std::fabs(x), 1); }

double accurateAtan(double x) {
  const double ax = std::fabs(x);
  // t = |x| or 1/|x|, in [0, 1]; atan|x| = π/2 − atan(1/|x|) beyond 1.
  BigFixed t;
  if (ax > 1) {
    int e = 0;
    const double m = 2 * std::frexp(ax, &e);  // ax = m·2^(e−1), 1 <= m < 2
    t = shiftRight(reciprocal(fixedFromDouble(m)), e - 1);
  } else {
    t = fixedFromDouble(ax);
  }
  // atan t = atan c + atan((t − c)/(1 + t·c)) with c = i/64 nearest t.
  const auto i = static_cast<std::uint32_t>(std::nearbyint(fixedToDouble(t) * 64));
  const BigFixed c = fixedFromDouble(i / 64.0);
  const bool below = lessThan(t, c);
  const BigFixed difference = below ? subtract(c, t) : subtract(t, c);
  const BigFixed denominator = add(fixedOne(), shiftRight(multiplySmall(t, i), 6));
  const BigFixed u = multiply(difference, reciprocal(denominator));
  const BigFixed au = atanSeries(u);
  BigFixed a = below ? subtract(tables::atanOfSixtyFourth[i], au) : add(tables::atanOfSixtyFourth[i], au);
  if (ax > 1) a = subtract(tables::halfPiFixed, a);
  const double v = fixedToDouble(a);
  return x < 0 ? -v : v;
}

}  // namespace qv::cr
