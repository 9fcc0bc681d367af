// Correctly rounded arc tangent: 1/x beyond 1, the table step of 1/256 and
// the rounding test, else the accurate path (correctly_rounded.hpp).
#include <cmath>

#include "conversion/crmath/accurate.hpp"
#include "conversion/crmath/correctly_rounded.hpp"
#include "conversion/crmath/fast_paths.hpp"
#include "conversion/crmath/kernels.hpp"
#include "conversion/crmath/tables.hpp"

namespace qv::cr {

void fastAtanParts(double ax, double& hi, double& lo) {
  double th = ax, tl = 0;
  const bool inverted = ax > 1;
  if (inverted) {  // 1/ax in double-double: ax·th = 1 − e exactly
    th = 1 / ax;
    double p = 0, pe = 0;
    twoProd(ax, th, p, pe);
    tl = th * ((1 - p) - pe);
  }
  const int i = static_cast<int>((th * 256 + roundingShifter) - roundingShifter);
  const DoubleDouble a = tables::atanOfStep[i];
  atanKernel(th, tl, i / 256.0, a.hi, a.lo, hi, lo);
  if (inverted) halfPiMinus(tables::halfPiHi, tables::halfPiLo, hi, lo);
}

double atan(double x) {
  const double ax = std::fabs(x);
  if (std::isnan(x)) return x + x;
  if (ax > atanOfHalfPiArgument) return x < 0 ? -tables::halfPiHi : tables::halfPiHi;
  if (ax < smallArgument) return x;
  double hi = 0, lo = 0, up = 0, down = 0;
  fastAtanParts(ax, hi, lo);
  roundedEnds(hi, lo, atanErrorBound(hi), up, down);
  const double v = up == down ? up : accurateAtan(ax);
  return x < 0 ? -v : v;
}

}  // namespace qv::cr
