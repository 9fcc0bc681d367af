// The single sine, cosine and arc tangent of correctly_rounded.hpp for one
// instruction set (QV_CR_ISA): the common case inline (the reduction by
// π/512, the table step and the rounding test), the rare ones (arguments
// beyond 8192, results the test rejects) in functions of their own.  Built
// once portable (single_portable.cpp) and once with fused multiply-subtract
// (single_fma.cpp); both give the same bits at every step, since Dekker's
// product and the fused one give the same exact error.
#pragma once

#include <bit>
#include <cmath>
#include <cstdint>

#include "conversion/crmath/rare_paths.hpp"
#include "conversion/crmath/kernels.hpp"
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
inline double roundedSinOfStep(std::uint32_t k, const StepTerms<double>& t, std::uint32_t shift,
                               std::uint32_t negate, double x) {
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

// atan(ax) = hi + lo, 2^-27 <= ax <= 2^54: the table step of 1/256 on ax, or
// on 1/ax beyond 1 (kernels.hpp), without a branch.
inline void fastAtanOf(double ax, double& hi, double& lo) {
  const bool inverted = ax > 1;
  // 256·t for t = ax or 1/ax (one rounding either way), and c = i/256 nearest
  // t, i in the low bits of 256·t + 1.5·2^52.
  const double scaled = inverted ? 256 / ax : 256 * ax;
  const double shifted = scaled + roundingShifter;
  const double c = (shifted - roundingShifter) * 0x1p-8;
  const DoubleDouble a = tables::atanOfStep[std::bit_cast<std::uint64_t>(shifted) & 511u];
  // π/2 − atan c: exact in s + e, al's rounding below 2^-106.
  double s = 0, e = 0;
  fastTwoSum(tables::halfPiHi, -a.hi, s, e);
  const double ah = inverted ? s : a.hi;
  const double al = inverted ? e + (tables::halfPiLo - a.lo) : a.lo;
  atanKernel(inverted ? 1.0 : ax, inverted ? ax : 1.0, c, ah, al, kSigns[inverted], hi, lo);
}

inline double atanPath(double x) {
  const double ax = std::fabs(x);
  if (std::isnan(x)) [[unlikely]]
    return x + x;
  if (ax > atanOfHalfPiArgument) [[unlikely]]
    return x < 0 ? -tables::halfPiHi : tables::halfPiHi;
  if (ax < smallArgument) [[unlikely]]
    return x;
  double hi = 0, lo = 0, up = 0, down = 0;
  fastAtanOf(ax, hi, lo);
  roundedEnds(hi, lo, atanErrorBound(hi), up, down);
  if (up != down) [[unlikely]]
    return atanRejected(x);
  return x < 0 ? -up : up;
}

}  // namespace QV_CR_ISA
}  // namespace qv::cr
