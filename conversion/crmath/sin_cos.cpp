// Correctly rounded sine and cosine: the reduction by π/512, the table step
// and the rounding test, else the accurate path (correctly_rounded.hpp).
#include <cmath>
#include <cstdint>

#include "conversion/crmath/accurate.hpp"
#include "conversion/crmath/correctly_rounded.hpp"
#include "conversion/crmath/fast_paths.hpp"
#include "conversion/crmath/kernels.hpp"
#include "conversion/crmath/reduction.hpp"
#include "conversion/crmath/tables.hpp"

namespace qv::cr {

namespace {

// x·512/π = k + f with k modulo 1024 and r = f·π/512 in double-double; ax >= 2^-27.
void reduceByStep(double ax, std::uint32_t& k, double& rh, double& rl) {
  if (ax < codyWaiteLimit) {
    double kd = 0;
    codyWaite(ax, tables::inverseOfPiOver512, tables::piOver512Part1, tables::piOver512Part2, tables::piOver512Part3,
              kd, rh, rl);
    k = static_cast<std::uint32_t>(kd) & 1023u;
    return;
  }
  const Reduced red = reduceByPiOver2ToThe(ax, 9);
  // f in double-double (f exact to 2^-286), times π/512 in double-double.
  const double fh = fixedToDouble(red.f);
  const BigFixed fhFixed = fixedFromDouble(fh);
  const double fl = lessThan(red.f, fhFixed) ? -fixedToDouble(subtract(fhFixed, red.f))
                                             : fixedToDouble(subtract(red.f, fhFixed));
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

// hi + lo = sin(k·π/512 + r), from r's step terms.
void sinOfStep(std::uint32_t k, const StepTerms<double>& t, double& hi, double& lo) {
  const std::uint32_t q = (k >> 8) & 3u, i = k & 255u;
  const double* row = tables::sinCosOfStep[i];
  const DoubleDouble s{row[0], row[1]}, c{row[2], row[3]};
  // sin(qπ/2 + θ) is sin θ, cos θ, −sin θ, −cos θ; θ = i·π/512 + r, and
  // sin θ = S + S·(cos r − 1) + C·sin r, cos θ = C + C·(cos r − 1) − S·sin r.
  if (q % 2 == 0)
    sinCosForm(s.hi, s.lo, c.hi, c.lo, t, hi, lo);
  else
    sinCosForm(c.hi, c.lo, -s.hi, -s.lo, t, hi, lo);
  if (q >= 2) {
    hi = -hi;
    lo = -lo;
  }
}

// sin(ax + shift·π/512) rounded, shift 0 (sine) or 256 (cosine): the fast
// result where the rounding test takes it, else the accurate path.
double roundedSinOfStep(double ax, std::uint32_t k, const StepTerms<double>& t, std::uint32_t shift) {
  double hi = 0, lo = 0, up = 0, down = 0;
  sinOfStep(k + shift, t, hi, lo);
  roundedEnds(hi, lo, sinCosErrorBound(hi), up, down);
  if (up == down) return up;
  return shift == 0 ? accurateSin(ax) : accurateCos(ax);
}

// NaN for ±inf and NaN.
bool notFinite(double ax) { return !(ax < INFINITY); }

}  // namespace

void fastSinOfStepParts(double ax, std::uint32_t quadrantShift, double& hi, double& lo) {
  std::uint32_t k = 0;
  double rh = 0, rl = 0;
  reduceByStep(ax, k, rh, rl);
  sinOfStep(k + quadrantShift, stepTerms(rh, rl), hi, lo);
}

double sin(double x) {
  const double ax = std::fabs(x);
  if (notFinite(ax)) return x - x;
  if (ax < smallArgument) return x;
  std::uint32_t k = 0;
  double rh = 0, rl = 0;
  reduceByStep(ax, k, rh, rl);
  const double v = roundedSinOfStep(ax, k, stepTerms(rh, rl), 0);
  return x < 0 ? -v : v;
}

double cos(double x) {
  const double ax = std::fabs(x);
  if (notFinite(ax)) return x - x;
  if (ax < smallArgument) return 1;
  std::uint32_t k = 0;
  double rh = 0, rl = 0;
  reduceByStep(ax, k, rh, rl);
  return roundedSinOfStep(ax, k, stepTerms(rh, rl), 256);
}

void sinCos(double x, double& sine, double& cosine) {
  const double ax = std::fabs(x);
  if (notFinite(ax) || ax < smallArgument) {
    sine = sin(x);
    cosine = cos(x);
    return;
  }
  // One reduction and one set of step terms for both, as the two calls
  // would compute them.
  std::uint32_t k = 0;
  double rh = 0, rl = 0;
  reduceByStep(ax, k, rh, rl);
  const StepTerms<double> t = stepTerms(rh, rl);
  const double v = roundedSinOfStep(ax, k, t, 0);
  sine = x < 0 ? -v : v;
  cosine = roundedSinOfStep(ax, k, t, 256);
}

}  // namespace qv::cr
