// Exact sums and products of doubles (error-free transformations) and the
// rounding test of the fast paths: the building blocks of double-double
// arithmetic, a value carried as the unevaluated sum hi + lo.
//
// Templates over the value type, so that the batch evaluates the same
// operations on vectors of lanes; each is exact in round-to-nearest binary64
// arithmetic without contraction into fused multiply-adds, which the build
// forbids (-ffp-contract=off).
#pragma once

namespace qv::cr {

struct DoubleDouble {
  double hi;
  double lo;
};

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

// p + e = a·b exactly (Dekker), when no product underflows: |a·b| > 2^-969.
template <class T>
inline void twoProd(T a, T b, T& p, T& e) {
  p = a * b;
  T ah, al, bh, bl;
  split(a, ah, al);
  split(b, bh, bl);
  e = ((ah * bh - p) + ah * bl + al * bh) + al * bl;
}

}  // namespace qv::cr
