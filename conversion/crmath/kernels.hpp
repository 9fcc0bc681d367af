// The fast paths' arithmetic, shared by the single functions and the lanes of
// the batch: templates over the value type (a double, or a vector of doubles
// that the batch fills lane by lane), so that both compute the same bits.
//
// The steps are few and short: no renormalisation between them where the
// next step takes an unnormalised pair, and series of the degree the bound
// needs.  Error bounds, for the result hi + lo against the exact value y
// (ulp-scale roundings of 2^-53·|y| and below left out where they add under
// 2^-90·|y|):
// - codyWaite: r = x − k·π/512 with |x| < 8192, so k < 2^21: k·part1 and
//   k·part2 are exact, x − k·part1 is exact (Sterbenz) and rh + e = a − b
//   exactly; k·part3 < 2^-55.8 is rounded (2^-108.8), rl = e − k·part3 too
//   (2^-107.8), and the parts sum to π/512 within 2^-125 (2^-104 at k =
//   2^21): |error| < 2^-103 absolute, |rh| <= π/1024 (1 + 2^-50), and |rl|
//   <= 2^-53·|rh| + 2^-55.8, at most 2^-25.8·|rh| once |rh| >= 2^-30.
// - stepTerms: sin r = rh + sl, sl = rl + rh·w + rl·(cos rh − 1) to first
//   order in rl (the rest below 2^-111 absolute).  The series are cut after
//   r^7 (sine, next term 2^-85.3·|r|) and r^6 (cosine, 2^-82 absolute).  rh·w
//   = rh³·P(p), |rh³·P| <= 2^-19.28·|r| with p = rh² rounded: p's rounding
//   costs 2^-72.3·|r|, rh³'s rounding 2^-72.3, P's evaluation (coefficient
//   and sums, 1.5·2^-53 relative) 2^-71.7, the product 2^-72.3 and the two
//   sums into sl 2^-72.3 each: |sl − (sin r − rh)| < 2^-69.6·|r|.
// - sinCosForm: y = A·cos r + B·sin r for a table entry A, B (double-doubles
//   within 2^-106 relative), where |A| <= 2·|y| and |B·r| <= (1 + 2^-18)·|y|
//   (largest at the ends of a quadrant; i = 0 leaves A = 0 or B = 0).  A +
//   B·rh and the add of A·cmh are exact (fastTwoSum: |A| >= |B·rh| where A ≠
//   0, since sin(π/512) > π/1024); B·sl carries sl's error, 2^-69.6·|y|, and
//   its product and the last sum into lo 2^-72.3·|y| each; A·(cos r − 1)
//   adds 2^-81·|y|: relative error below 2^-69.2.
// - atanKernel: y = A + sign·atan u, the quotient u in double-double within
//   2^-103 of u (one reciprocal, Sterbenz for the numerator), |u| <= 2^-9 (1 +
//   2^-40) and |u| <= (1 + 2^-18)·|y|.  The series is cut after u^7 (next term
//   2^-84·|u|); the cubic term u³·P(u²), |u³·P| <= 2^-19.58·|u|, is taken on
//   uh with its first-order part in ul (−u²·ul) added: u2 and u3 rounded
//   (2·2^-53), P evaluated (2.5·2^-53), their product (2^-53), in all 2^-50.55
//   relative, 2^-70.13·|u|; the two sums into lo 2^-72.6·|u| each: relative
//   error below 2^-69.7.
// Measured against MPFR at 250 bits on 2·10^6 arguments each (half in [0, 8],
// half spread over 2^-27 … 2^13, or … 2^54 for atan; check/fast_path_error),
// the largest relative errors seen are 2^-70.02 (sin), 2^-70.28 (cos) and
// 2^-70.85 (atan).
// The rounding test uses 2^-68 relative (and 2^-100 absolute for the
// reduction of sin and cos).  lo is not renormalised into hi (|lo| <
// 2^-18·|hi|), so the rounding of lo ± err takes up to 2^-71.2·|hi| of it:
// 2^-68.19 is left, 2 times the bounds above.
#pragma once

#include <cstdint>
#include <cstring>

#include "conversion/crmath/double_double.hpp"
#include "conversion/crmath/tables.hpp"

namespace qv::cr {
inline namespace QV_CR_ISA {

inline constexpr double codyWaiteLimit = 8192;
// Below 2^-27, sin x and atan x round to x and cos x to 1 (the next term of
// each series is under half an ulp); beyond 2^54, atan x rounds to π/2
// (π/2 − atan x < 2^-54 keeps it within half an ulp of π/2's double).  The
// fast paths take what lies between.
inline constexpr double smallArgument = 0x1p-27;
inline constexpr double atanOfHalfPiArgument = 0x1p54;
inline constexpr double fastRelativeBound = 0x1p-68;
inline constexpr double fastAbsoluteBound = 0x1p-100;

// Round to nearest integer for |v| < 2^51: adding 1.5·2^52 drops the fraction.
inline constexpr double roundingShifter = 0x1.8p52;

// |v| by a comparison, the same for a double and for a vector of lanes.
template <class T>
inline T magnitude(T v) {
  return v < 0 ? -v : v;
}

// The error the rounding test allows a fast result hi + lo of sin or cos, and
// of atan (whose reduction adds no absolute error).
template <class T>
inline T sinCosErrorBound(T hi) {
  return fastRelativeBound * magnitude(hi) + fastAbsoluteBound;
}
template <class T>
inline T atanErrorBound(T hi) {
  return fastRelativeBound * magnitude(hi);
}

// hi + lo ± err, each end rounded to a double; where both ends give the same
// double, it is the correctly rounded value (rounding to nearest is
// monotone).  |lo| <= ulp(hi)/2 and err well above 2^-104·|hi|, so that the
// rounding of lo ± err cannot move an end inwards past the exact value.
template <class T>
inline void roundedEnds(T hi, T lo, T err, T& up, T& down) {
  up = hi + (lo + err);
  down = hi + (lo - err);
}

// ax in [0, 8192): kd = nearest integer to ax·512/π, rh + rl = ax − kd·π/512
// within 2^-103, |rl| <= 2^-53·|rh| + 2^-55.8 (rl is not renormalised into
// rh: that would lengthen the chain every later step waits on, and the
// steps below take rl's effect to first order).  Where |rh| < 2^-30
// (minimumReduced) the argument is reduced again with rl renormalised
// (rare_paths.hpp), so that always |rl| <= 2^-25.8·|rh|.
template <class T>
inline void codyWaite(T ax, double inverse, double part1, double part2, double part3, T& kd, T& rh, T& rl) {
  kd = (ax * inverse + roundingShifter) - roundingShifter;
  const T a = ax - kd * part1;  // exact: kd·part1 has 53 bits, and Sterbenz
  const T b = kd * part2;       // exact: 21 + 32 bits
  T e;
  twoSum(a, -b, rh, e);
  rl = e - kd * part3;
}
// The smallest |rh| that codyWaite's unnormalised rl serves; the arguments
// within 2^-30 of a multiple of π/512 (one in 2^22 of random ones, but the
// doubles nearest 45°, 22.5°, … in radians among them) take the renormalised
// reduction, and in the lanes the single function.
inline constexpr double minimumReduced = 0x1p-30;

// sin r − r and cos r − 1 of r = rh + rl, |rh| <= π/1024 (1 + 2^-50) and
// |rl| <= 2^-25.8·|rh|, shared by the sine and the cosine of one angle:
// sin r = rh + sl, cos r − 1 = cmh + cml (neither pair renormalised).
template <class T>
struct StepTerms {
  T rh, sl, cmh, cml;
};
template <class T>
inline StepTerms<T> stepTerms(T rh, T rl) {
  T ph, pl;
  twoProd(rh, rh, ph, pl);
  pl = pl + 2.0 * rh * rl;
  StepTerms<T> t;
  t.rh = rh;
  // cos r − 1 = −p/2 + p²·v, p = ph + pl = r² − rl².
  t.cmh = -0.5 * ph;
  const T v = 0x1.5555555555555p-5 + ph * -0x1.6c16c16c16c17p-10;
  t.cml = -0.5 * pl + (ph * ph) * v;
  // sin r = rh + rl + rh·w + rl·(cos rh − 1), rh·w = rh³·P, P = −1/6 + p/120
  // − p²/5040 (rh³ and P side by side, in Estrin's order).
  const T r3 = rh * ph;
  const T poly = (-0x1.5555555555555p-3 + ph * 0x1.1111111111111p-7) + (ph * ph) * -0x1.a01a01a01a01ap-13;
  t.sl = rl + (r3 * poly + rl * t.cmh);
  return t;
}

// hi + lo = A + A·(cos r − 1) + B·sin r for a table entry A, B, with
// |B·rh| <= |A| or A = 0 (which the table's rows give: |rh| <= π/1024 and
// |A| >= sin(π/512) > π/1024 where it is not 0).  Both sums into hi are
// exact; lo gathers the rest, |lo| < 2^-18·|hi|.
template <class T>
inline void sinCosForm(T ah, T al, T bh, T bl, const StepTerms<T>& t, T& hi, T& lo) {
  T c, d, a, b, s, e1, e2;
  twoProd(bh, t.rh, c, d);
  fastTwoSum(ah, c, s, e1);
  twoProd(ah, t.cmh, a, b);
  fastTwoSum(s, a, hi, e2);
  const T small = ((e1 + e2) + (al + (d + b))) + ((ah * t.cml + al * t.cmh) + bl * t.rh);
  lo = small + bh * t.sl;
}

// hi + lo = atan x = A + sign·atan u, u = (n − c·m)/(m + c·n), where either
// (n, m) = (x, 1), A = atan c, sign = +1 and c = x (1 + δ) with |δ| <= 1/2
// or c = 0 (x <= 1: c = i/256 nearest x; 1 < x < 512: c the middle of x's
// interval of its binade's top bits), or (n, m) = (1, x), A = π/2 − atan c,
// sign = −1 and c within 1/512 of 1/x (the lanes' c = i/256 nearest 1/x; the
// single function's c = 0 beyond 512).  So |u| <= 2^-9 (1 + 2^-40), and
// |ah| >= |u| or ah = 0.  A = ah + al is not renormalised.
template <class T>
inline void atanKernel(T n, T m, T c, T ah, T al, T sign, T& hi, T& lo) {
  // Numerator n − c·m: exact, c·m = p + pe and n − p exact (Sterbenz: p = c
  // within a factor 2 of n or 0 where m = 1, and c·m within x/512 of n = 1
  // where m = x).
  T p, pe;
  twoProd(c, m, p, pe);
  const T nh = n - p;
  // Denominator m + c·n: dh + dl within 2^-105.
  T q, qe, dh, dl;
  twoProd(c, n, q, qe);
  twoSum(m, q, dh, dl);
  dl = dl + qe;
  // u = (nh − pe)/(dh + dl) through one reciprocal: uh = nh·(1/dh) lies
  // within 2^-51 of nh/dh, so nh − uh·dh is exact (Sterbenz) and the
  // correction ul, itself within 2^-51 of its value, leaves an error below
  // 2^-103 of u.
  const T reciprocal = 1.0 / dh;
  const T uh = nh * reciprocal;
  T r, re;
  twoProd(uh, dh, r, re);
  const T ul = (((nh - r) - re) - pe - uh * dl) * reciprocal;
  // atan u = u + u³·P, P = −1/3 + u²/5 − u⁴/7 (in that order of sums).
  const T u2 = uh * uh;
  const T u3 = uh * u2;
  const T poly = (-0x1.5555555555555p-2 + u2 * 0x1.999999999999ap-3) + (u2 * u2) * -0x1.2492492492492p-3;
  const T su = sign * uh;
  T s, e;
  fastTwoSum(ah, su, s, e);
  hi = s;
  // The cubic term is taken on uh alone; −u2·ul is its first-order part in ul.
  lo = (e + al) + (sign * (ul - u2 * ul) + (sign * u3) * poly);
}

// A double's bits and back, by memcpy (std::bit_cast is missing from the
// standard library of some of our compilers, Debian's emscripten's among them).
inline std::uint64_t bitsOf(double x) {
  std::uint64_t b;
  std::memcpy(&b, &x, sizeof b);
  return b;
}
inline double doubleOf(std::uint64_t b) {
  double x;
  std::memcpy(&x, &b, sizeof x);
  return x;
}

// Adding it rounds 0 <= x <= 1 to a multiple of 1/256, whose numerator i is
// then the low bits of the sum.
inline constexpr double atanStepShifter = 0x1.8p44;
// From here on the arc tangent's kernel takes c = 0 on 1/x.
inline constexpr double atanInverseFrom = 512;

// The arc tangent's table step for 0 <= ax < 512: c and the row of atan c.  Below 1, c = i/256 nearest
// ax; from 1, c is the middle of ax's interval of its binade's top 8 − e
// bits, e = 0 … 8 (tables::atanAboveOne).  A branch, not masks: measured
// faster on arguments up to 10 (mostly above 1), and as fast on mixed ones.
inline const DoubleDouble& atanStep(double ax, double& c) {
  const std::uint64_t bits = bitsOf(ax);
  const std::uint64_t biased = bits >> 52;
  if (biased >= 1023) {
    const std::uint64_t e = biased - 1023;
    c = doubleOf((bits & ~((std::uint64_t{1} << (44 + e)) - 1)) | std::uint64_t{1} << (43 + e));
    return tables::atanOfStep[tables::atanAboveOne + 512 - (std::uint64_t{512} >> e) + (((bits >> 44) & 255u) >> e)];
  }
  const double shifted = ax + atanStepShifter;
  c = shifted - atanStepShifter;  // exact
  return tables::atanOfStep[bitsOf(shifted) & 511u];
}

}  // namespace QV_CR_ISA
}  // namespace qv::cr
