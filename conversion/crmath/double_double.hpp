// Exact sums and products of doubles (error-free transformations): the
// building blocks of double-double arithmetic, a value carried as the
// unevaluated sum hi + lo.
//
// Templates over the value type, so that the batch evaluates the same
// operations on vectors of lanes; each is exact in round-to-nearest binary64
// arithmetic without contraction into fused multiply-adds, which the build
// forbids (-ffp-contract=off).
#pragma once

// Each instruction set's copy of these templates lives in a namespace of its
// own (QV_CR_ISA), so that a copy built for AVX2 can never stand in for the
// one that every processor runs.
#ifndef QV_CR_ISA
#define QV_CR_ISA generic
#endif

namespace qv::cr {
inline namespace QV_CR_ISA {

// s + e = a + b exactly, for any a and b (Knuth).
template <class T>
inline void twoSum(T a, T b, T& s, T& e) {
  s = a + b;
  const T bb = s - a;
  e = (a - (s - bb)) + (b - bb);
}

// s + e = a + b exactly, when |a| >= |b| or a is zero (Dekker).
template <class T>
inline void fastTwoSum(T a, T b, T& s, T& e) {
  s = a + b;
  e = b - (s - a);
}

// hi + lo = a, each with at most 26 significant bits (Veltkamp); |a| < 2^995.
template <class T>
inline void split(T a, T& hi, T& lo) {
  const T t = a * 134217729.0;  // 2^27 + 1
  hi = t - (t - a);
  lo = a - hi;
}

// p + e = a·b exactly, when no product underflows: |a·b| > 2^-969.  Dekker's
// product, or where the instruction set has one, a fused multiply-subtract:
// both give the exact error, hence the same bits.
template <class T>
inline void twoProd(T a, T b, T& p, T& e) {
  p = a * b;
#ifdef QV_CR_FUSED_MULTIPLY_SUBTRACT
  e = QV_CR_FUSED_MULTIPLY_SUBTRACT(a, b, p);
#else
  T ah, al, bh, bl;
  split(a, ah, al);
  split(b, bh, bl);
  e = ((ah * bh - p) + ah * bl + al * bh) + al * bl;
#endif
}

}  // namespace QV_CR_ISA
}  // namespace qv::cr
