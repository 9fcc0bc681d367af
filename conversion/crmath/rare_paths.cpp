// The rare cases of the single functions (rare_paths.hpp): the arguments
// beyond 8192 reduced with the bits of 2/π, then the same table step and
// rounding test as the fast path's.
#include "conversion/crmath/rare_paths.hpp"

#include <cmath>
#include <cstdint>

#include "conversion/crmath/accurate.hpp"
#include "conversion/crmath/reduction.hpp"
#include "conversion/crmath/single_paths.hpp"

namespace qv::cr {

namespace {

// sin or cos (shift 0 or 256) of x; |x| < 2^-27, |x| >= 8192, ±inf or NaN.
double sinOffFastPath(double x, std::uint32_t shift) {
  const double ax = std::fabs(x);
  if (!(ax < INFINITY)) return x - x;  // NaN for ±inf and NaN
  if (ax < smallArgument) return shift == 0 ? x : 1.0;
  std::uint32_t k = 0;
  double rh = 0, rl = 0;
  reduceLargeByStep(ax, k, rh, rl);
  return roundedSinOfStep(k, stepTerms(rh, rl), shift, shift == 0 && x < 0, x);
}

}  // namespace

void reduceNextToStep(double ax, double kd, double& rh, double& rl) {
  // As codyWaite, with kd·part3 exact in c + d and the sum renormalised.
  const double a = ax - kd * tables::piOver512Part1;
  const double b = kd * tables::piOver512Part2;
  double s = 0, e = 0, c = 0, d = 0, h = 0, e2 = 0;
  twoSum(a, -b, s, e);
  twoProd(kd, tables::piOver512Part3, c, d);
  twoSum(s, -c, h, e2);
  twoSum(h, (e - d) + e2, rh, rl);
}

double sinOffFastPath(double x) { return sinOffFastPath(x, 0); }
double cosOffFastPath(double x) { return sinOffFastPath(x, 256); }

double atanOffFastPath(double x) {
  if (std::isnan(x)) return x + x;
  if (std::fabs(x) > atanOfHalfPiArgument) return x < 0 ? -tables::halfPiHi : tables::halfPiHi;
  return x;  // |x| < 2^-27
}

double sinRejected(double x) {
  const double v = accurateSin(std::fabs(x));
  return x < 0 ? -v : v;
}
double cosRejected(double x) { return accurateCos(std::fabs(x)); }
double atanRejected(double x) {
  const double v = accurateAtan(std::fabs(x));
  return x < 0 ? -v : v;
}

}  // namespace qv::cr
