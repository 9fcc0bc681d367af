// The single sine, cosine and arc tangent of correctly_rounded.hpp for one
// instruction set (QV_CR_ISA): the common case inline (the reduction by
// π/512, the table step and the rounding test), the rare ones (arguments
// beyond 8192, results the test rejects) in functions of their own.  Built
// once portable (single_portable.cpp) and once with fused multiply-subtract
// (single_fma.cpp); both give the same bits at every step, since Dekker's
// product and the fused one give the same exact error.
#pragma once

#include <cmath>
#include <cstdint>

#include "conversion/crmath/kernels.hpp"
#include "conversion/crmath/rare_paths.hpp"
#include "conversion/crmath/tables.hpp"

namespace qv::cr {
inline namespace QV_CR_ISA {

// ±1 by a sign bit: signs multiply in exactly and without a branch, which
// random arguments would mispredict half the time.
inline constexpr double kSigns[2] = {1.0, -1.0};

// hi + lo = ±sin(k·π/512 + r), from r's step terms, the sign flipped where
// `negate` is 1.
inline void sinOfStep(std::uint32_t k, std::uint32_t negate, const StepTerms<double>& t, double& hi, double& lo) {
  // sin(qπ/2 + θ) is sin θ, cos θ, −sin θ, −cos θ for q = (k >> 8) & 3; θ =
  // i·π/512 + r, and sin θ = S + S·(cos r − 1) + C·sin r, cos θ = C + C·(cos
  // r − 1) − S·sin r: for odd q the row's halves swap and S changes sign.
  const double* row = tables::sinCosOfStep[k & 255u];
  const std::uint32_t odd = (k >> 8) & 1u;
  const double bSign = kSigns[odd];
  sinCosForm(row[2 * odd], row[2 * odd + 1], bSign * row[2 - 2 * odd], bSign * row[3 - 2 * odd], t, hi, lo);
  const double sign = kSigns[((k >> 9) & 1u) ^ negate];
  hi = sign * hi;
  lo = sign * lo;
}

// sin(ax + shift·π/512) rounded, shift 0 (sine) or 256 (cosine), negated
// where `negate` is 1: the fast result where the rounding test takes it, else
// the accurate path.
inline double roundedSinOfStep(std::uint32_t k, const StepTerms<double>& t, std::uint32_t shift, std::uint32_t negate,
                               double x) {
  double hi = 0, lo = 0, up = 0, down = 0;
  sinOfStep(k + shift, negate, t, hi, lo);
  roundedEnds(hi, lo, sinCosErrorBound(hi), up, down);
  if (up == down) [[likely]]
    return up;
  return shift == 0 ? sinRejected(x) : cosRejected(x);
}

// The reduction of 2^-27 <= ax < 8192 by π/512 and r's step terms; an
// argument next to a multiple of π/512 (such as the double nearest 45° in
// radians) is reduced again with r renormalised.
struct ByStep {
  std::uint32_t k;
  StepTerms<double> t;
};
inline ByStep byStep(double ax) {
  double kd = 0, rh = 0, rl = 0;
  codyWaite(ax, tables::inverseOfPiOver512, tables::piOver512Part1, tables::piOver512Part2, tables::piOver512Part3, kd,
            rh, rl);
  if (std::fabs(rh) < minimumReduced) [[unlikely]]
    reduceNextToStep(ax, kd, rh, rl);
  return {static_cast<std::uint32_t>(kd) & 1023u, stepTerms(rh, rl)};
}

// Whether the fast path takes ax = |x|: 2^-27 <= ax < 8192 (false for NaN).
inline bool onFastPath(double ax) { return ax >= smallArgument && ax < codyWaiteLimit; }

inline double sinPath(double x) {
  const double ax = std::fabs(x);
  if (!onFastPath(ax)) [[unlikely]]
    return sinOffFastPath(x);
  const ByStep s = byStep(ax);
  return roundedSinOfStep(s.k, s.t, 0, x < 0, x);
}

inline double cosPath(double x) {
  const double ax = std::fabs(x);
  if (!onFastPath(ax)) [[unlikely]]
    return cosOffFastPath(x);
  const ByStep s = byStep(ax);
  return roundedSinOfStep(s.k, s.t, 256, 0, x);
}

// One reduction and one set of step terms for both, as the two calls would
// compute them.
inline void sinCosPath(double x, double& sine, double& cosine) {
  const double ax = std::fabs(x);
  if (!onFastPath(ax)) [[unlikely]] {
    sine = sinOffFastPath(x);
    cosine = cosOffFastPath(x);
    return;
  }
  const ByStep s = byStep(ax);
  sine = roundedSinOfStep(s.k, s.t, 0, x < 0, x);
  cosine = roundedSinOfStep(s.k, s.t, 256, 0, x);
}

// ±atan(ax) = hi + lo, 2^-27 <= ax <= 2^54, negated where `negate` is 1,
// through the kernel of kernels.hpp with no division before its own (the
// table step by atanStep; beyond 512, c = 0 on 1/ax: u = 1/ax, A = π/2).
inline void fastAtanOf(double ax, std::uint32_t negate, double& hi, double& lo) {
  const double sign = kSigns[negate];
  if (ax >= atanInverseFrom) [[unlikely]] {
    atanKernel(1.0, ax, 0.0, sign * tables::halfPiHi, sign * tables::halfPiLo, -sign, hi, lo);
    return;
  }
  double c = 0;
  const DoubleDouble& a = atanStep(ax, c);
  atanKernel(ax, 1.0, c, sign * a.hi, sign * a.lo, sign, hi, lo);
}

inline double atanPath(double x) {
  const double ax = std::fabs(x);
  if (!(ax >= smallArgument && ax <= atanOfHalfPiArgument)) [[unlikely]]
    return atanOffFastPath(x);
  double hi = 0, lo = 0, up = 0, down = 0;
  fastAtanOf(ax, x < 0, hi, lo);
  roundedEnds(hi, lo, atanErrorBound(hi), up, down);
  if (up != down) [[unlikely]]
    return atanRejected(x);
  return up;
}

}  // namespace QV_CR_ISA
}  // namespace qv::cr
