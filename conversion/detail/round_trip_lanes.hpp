// Lanes: a few independent points carried through one formula together, so
// that the processor overlaps their dependency chains.  Every operation is
// the double operation lane by lane, and the sines, cosines and arc tangents
// are the library's own correctly rounded ones, computed on vectors of lanes
// (crmath/many.hpp) with the bits of the single functions, so each lane gets
// the bits it would get alone.
//
// MarkFaults is the lanes' fault policy (checked_math.hpp): where a single
// conversion would raise, it marks the lane, and the batch takes that point
// through the single conversion instead.
#pragma once

#include <cmath>
#include <cstddef>

#include "conversion/crmath/correctly_rounded.hpp"
#include "conversion/crmath/many.hpp"

namespace qv {

template <std::size_t N>
struct Lanes {
  double v[N];

  static Lanes all(double x) {
    Lanes r;
    for (std::size_t i = 0; i < N; ++i) r.v[i] = x;
    return r;
  }
  double& operator[](std::size_t i) { return v[i]; }
  double operator[](std::size_t i) const { return v[i]; }
};

// Lane by lane: f(a[i], b[i]).
template <std::size_t N, class Op>
Lanes<N> zip(const Lanes<N>& a, const Lanes<N>& b, Op op) {
  Lanes<N> r;
  for (std::size_t i = 0; i < N; ++i) r.v[i] = op(a.v[i], b.v[i]);
  return r;
}
template <std::size_t N, class Op>
Lanes<N> each(const Lanes<N>& a, Op op) {
  Lanes<N> r;
  for (std::size_t i = 0; i < N; ++i) r.v[i] = op(a.v[i]);
  return r;
}

#define QV_LANES_OPERATOR(op)                                    \
  template <std::size_t N>                                       \
  Lanes<N> operator op(const Lanes<N>& a, const Lanes<N>& b) {   \
    return zip(a, b, [](double x, double y) { return x op y; }); \
  }                                                              \
  template <std::size_t N>                                       \
  Lanes<N> operator op(const Lanes<N>& a, double b) {            \
    return each(a, [b](double x) { return x op b; });            \
  }                                                              \
  template <std::size_t N>                                       \
  Lanes<N> operator op(double a, const Lanes<N>& b) {            \
    return each(b, [a](double y) { return a op y; });            \
  }
QV_LANES_OPERATOR(+)
QV_LANES_OPERATOR(-)
QV_LANES_OPERATOR(*)
QV_LANES_OPERATOR(/)
#undef QV_LANES_OPERATOR

template <std::size_t N>
Lanes<N> operator-(const Lanes<N>& a) {
  return each(a, [](double x) { return -x; });
}

template <std::size_t N>
Lanes<N> cos(const Lanes<N>& a) {
  Lanes<N> r;
  cr::cosMany(a.v, r.v, N);
  return r;
}
template <std::size_t N>
Lanes<N> atan(const Lanes<N>& a) {
  Lanes<N> r;
  cr::atanMany(a.v, r.v, N);
  return r;
}
template <std::size_t N>
Lanes<N> sqrt(const Lanes<N>& a) {
  return each(a, [](double x) { return std::sqrt(x); });
}

// Both of one angle in one pass.
template <std::size_t N>
void sinCos(const Lanes<N>& a, Lanes<N>& s, Lanes<N>& c) {
  cr::sinCosMany(a.v, s.v, c.v, N);
}
// The lanes' fault policy: a lane whose single conversion would raise here,
// or take a branch that the batch leaves to it, is marked.  A value that is
// not finite is caught by what it leaves in `poison`: r·0 is 0 for a finite
// r and NaN otherwise, and a NaN stays in the sum, so the check costs one
// multiplication and one addition that run on all lanes at once.
template <std::size_t N>
struct MarkFaults {
  bool marked[N] = {};
  Lanes<N> poison = Lanes<N>::all(0);

  Lanes<N> checked(const Lanes<N>& r) {
    poison = poison + r * 0.0;
    return r;
  }
  // A zero divisor gives an infinite or NaN quotient, which the check finds.
  Lanes<N> quot(const Lanes<N>& a, const Lanes<N>& b) { return checked(a / b); }
  // The square root of a negative number is NaN.
  Lanes<N> root(const Lanes<N>& x) { return checked(sqrt(x)); }
  // The exact cases 1 and −1 of the arc cosine and arc sine forms.
  void markExact(const Lanes<N>& x) {
    for (std::size_t i = 0; i < N; ++i) marked[i] |= x.v[i] == 1 || x.v[i] == -1;
  }
  bool isMarked(std::size_t i) const { return marked[i] || std::isnan(poison.v[i]); }
  bool any() const {
    bool m = false;
    for (std::size_t i = 0; i < N; ++i) m |= isMarked(i);
    return m;
  }
};

}  // namespace qv
