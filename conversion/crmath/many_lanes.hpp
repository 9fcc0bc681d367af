// The vector fast paths of many.hpp for one vector type V of W doubles, built
// once per instruction set (many_sse2.cpp, many_avx2.cpp, many_neon.cpp) from
// the same kernels as the single functions, in the same order of operations.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "conversion/crmath/correctly_rounded.hpp"
#include "conversion/crmath/kernels.hpp"
#include "conversion/crmath/tables.hpp"

namespace qv::cr {
inline namespace QV_CR_ISA {

// V: W doubles; Bits: W 64-bit integers, the masks of V's comparisons.
template <class V, class Bits, int W>
struct VectorLanes {
  static V load(const double* p) {
    V v;
    std::memcpy(&v, p, sizeof v);
    return v;
  }
  // The rounding test on each lane; a lane that fails it, or lies outside the
  // fast path (fast = 0), takes `single`.
  template <class Single>
  static void finish(V hi, V lo, V err, V sign, Bits fast, const double* x, double* out, Single single) {
    V up, down;
    roundedEnds(hi, lo, err, up, down);
    const V v = up * sign;
    std::memcpy(out, &v, sizeof v);
    const Bits good = fast & (up == down);
    bool all = true;
    for (int l = 0; l < W; ++l) all = all && good[l] != 0;
    if (all) return;
    for (int l = 0; l < W; ++l)
      if (good[l] == 0) out[l] = single(x[l]);
  }

  // sin and cos of i·π/512 for each lane's i, from the table rows
  // {sin hi, sin lo, cos hi, cos lo}: the rows loaded whole and transposed
  // with the compiler's shuffle (GCC's and Clang's spell it differently);
  // elsewhere each column gathered into its lanes, the same values.
  static void stepOf(const std::int64_t (&i)[W], V& sh, V& sl, V& ch, V& cl) {
    const double* row[W];
    for (int l = 0; l < W; ++l) row[l] = tables::sinCosOfStep[i[l]];
#if defined(__clang__)
#define QV_CR_SHUFFLE(a, b, ...) __builtin_shufflevector(a, b, __VA_ARGS__)
#elif defined(__GNUC__)
#define QV_CR_SHUFFLE(a, b, ...) __builtin_shuffle(a, b, Bits{__VA_ARGS__})
#endif
#ifdef QV_CR_SHUFFLE
    if constexpr (W == 4) {
      const V r0 = load(row[0]), r1 = load(row[1]), r2 = load(row[2]), r3 = load(row[3]);
      const V t0 = QV_CR_SHUFFLE(r0, r1, 0, 4, 2, 6), t1 = QV_CR_SHUFFLE(r0, r1, 1, 5, 3, 7);
      const V t2 = QV_CR_SHUFFLE(r2, r3, 0, 4, 2, 6), t3 = QV_CR_SHUFFLE(r2, r3, 1, 5, 3, 7);
      sh = QV_CR_SHUFFLE(t0, t2, 0, 1, 4, 5);
      ch = QV_CR_SHUFFLE(t0, t2, 2, 3, 6, 7);
      sl = QV_CR_SHUFFLE(t1, t3, 0, 1, 4, 5);
      cl = QV_CR_SHUFFLE(t1, t3, 2, 3, 6, 7);
      return;
    } else if constexpr (W == 2) {
      const V s0 = load(row[0]), s1 = load(row[1]), c0 = load(row[0] + 2), c1 = load(row[1] + 2);
      sh = QV_CR_SHUFFLE(s0, s1, 0, 2);
      sl = QV_CR_SHUFFLE(s0, s1, 1, 3);
      ch = QV_CR_SHUFFLE(c0, c1, 0, 2);
      cl = QV_CR_SHUFFLE(c0, c1, 1, 3);
      return;
    }
#undef QV_CR_SHUFFLE
#endif
    double columns[4][W];
    for (int l = 0; l < W; ++l)
      for (int c = 0; c < 4; ++c) columns[c][l] = row[l][c];
    sh = load(columns[0]);
    sl = load(columns[1]);
    ch = load(columns[2]);
    cl = load(columns[3]);
  }

  // sin(k·π/512 + r) and cos of the same, from one reduction; the sines only
  // where wanted.
  template <bool wantSines>
  static void sinCos(const double* x, double* sines, double* cosines) {
    const V xv = load(x), ax = magnitude(xv);
    const Bits inRange = (ax >= smallArgument) & (ax < codyWaiteLimit);
    const V safe = inRange ? ax : V{} + 1.0;
    V kd, rh, rl;
    codyWaite(safe, tables::inverseOfPiOver512, tables::piOver512Part1, tables::piOver512Part2, tables::piOver512Part3,
              kd, rh, rl);
    const Bits fast = inRange & (magnitude(rh) >= minimumReduced);
    const StepTerms<V> t = stepTerms(rh, rl);
    // k in the low bits of kd + 1.5·2^52, as in codyWaite (k < 2^21).
    const V shifted = kd + roundingShifter;
    Bits k;
    std::memcpy(&k, &shifted, sizeof k);
    std::int64_t i[W];
    for (int l = 0; l < W; ++l) i[l] = k[l] & 255;
    V sh, sl, ch, cl;
    stepOf(i, sh, sl, ch, cl);
    // As sinOfStep in single_paths.hpp: quadrant q = (k >> 8) & 3 picks the form
    // (sin θ for even q, cos θ for odd) and the sign (negative from q = 2).
    const Bits odd = ((k >> 8) & 1) != 0, high = ((k >> 9) & 1) != 0;
    V hi, lo;
    if constexpr (wantSines) {
      sinCosForm(odd ? ch : sh, odd ? cl : sl, odd ? -sh : ch, odd ? -sl : cl, t, hi, lo);
      const V sinSign = high ? V{} - 1.0 : V{} + 1.0;
      hi = hi * sinSign;
      lo = lo * sinSign;
      const V xsign = xv < 0 ? V{} - 1.0 : V{} + 1.0;
      finish(hi, lo, sinCosErrorBound(hi), xsign, fast, x, sines, [](double v) { return cr::sin(v); });
    }
    // The cosine is the sine a quadrant on: q + 1.
    sinCosForm(odd ? sh : ch, odd ? sl : cl, odd ? ch : -sh, odd ? cl : -sl, t, hi, lo);
    const V cosSign = (odd != high) ? V{} - 1.0 : V{} + 1.0;
    hi = hi * cosSign;
    lo = lo * cosSign;
    finish(hi, lo, sinCosErrorBound(hi), V{} + 1.0, fast, x, cosines, [](double v) { return cr::cos(v); });
  }

  static void atan(const double* x, double* out) {
    const V xv = load(x), ax = magnitude(xv);
    const Bits fast = (ax >= smallArgument) & (ax <= atanOfHalfPiArgument);
    const V safe = fast ? ax : V{} + 0.5;
    // The table step on x, or on 1/x beyond 1, with c = i/256 nearest it
    // (single_paths.hpp takes another c from 1 on; the bits are the same).
    const auto inverted = safe > 1.0;
    const V inverse = 1.0 / safe;
    const V t = inverted ? inverse : safe;
    // i in the low bits of t·256 + 1.5·2^52, as there.
    const V shifted = t * 256.0 + roundingShifter;
    const V c = (shifted - roundingShifter) / 256.0;
    Bits i;
    std::memcpy(&i, &shifted, sizeof i);
    double ahs[W], als[W];
    for (int l = 0; l < W; ++l) {
      ahs[l] = tables::atanOfStep[i[l] & 511].hi;
      als[l] = tables::atanOfStep[i[l] & 511].lo;
    }
    const V th = load(ahs), tl = load(als);
    V s, e;
    fastTwoSum(V{} + tables::halfPiHi, -th, s, e);
    const V ah = inverted ? s : th;
    const V al = inverted ? e + (tables::halfPiLo - tl) : tl;
    const V one = V{} + 1.0;
    V hi, lo;
    atanKernel(inverted ? one : safe, inverted ? safe : one, c, ah, al, inverted ? V{} - 1.0 : one, hi, lo);
    const V xsign = xv < 0 ? V{} - 1.0 : V{} + 1.0;
    finish(hi, lo, atanErrorBound(hi), xsign, fast, x, out, [](double v) { return cr::atan(v); });
  }
};

// The whole vectors of n through VectorLanes, the rest through the singles.
template <class V, class Bits, int W>
void sinCosManyWith(const double* x, double* s, double* c, std::size_t n) {
  std::size_t i = 0;
  for (; i + W <= n; i += W) VectorLanes<V, Bits, W>::template sinCos<true>(x + i, s + i, c + i);
  for (; i < n; ++i) cr::sinCos(x[i], s[i], c[i]);
}
template <class V, class Bits, int W>
void cosManyWith(const double* x, double* c, std::size_t n) {
  std::size_t i = 0;
  for (; i + W <= n; i += W) VectorLanes<V, Bits, W>::template sinCos<false>(x + i, nullptr, c + i);
  for (; i < n; ++i) c[i] = cr::cos(x[i]);
}
template <class V, class Bits, int W>
void atanManyWith(const double* x, double* out, std::size_t n) {
  std::size_t i = 0;
  for (; i + W <= n; i += W) VectorLanes<V, Bits, W>::atan(x + i, out + i);
  for (; i < n; ++i) out[i] = cr::atan(x[i]);
}

}  // namespace QV_CR_ISA
}  // namespace qv::cr
