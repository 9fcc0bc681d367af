// The choice among the vector variants of many.hpp, made once: AVX2 with FMA
// where the processor has both (not on Windows, whose GCC cannot keep 32-byte
// vectors aligned on the stack), SSE2 on other x86, and the single functions
// elsewhere (WebAssembly).
#include "conversion/crmath/many.hpp"

#include "conversion/crmath/correctly_rounded.hpp"
#include "conversion/crmath/many_variants.hpp"

namespace qv::cr {

namespace {

struct Variant {
  void (*sinCos)(const double*, double*, double*, std::size_t);
  void (*cos)(const double*, double*, std::size_t);
  void (*atan)(const double*, double*, std::size_t);
};

#ifndef QV_CR_HAVE_SSE2
void sinCosOneByOne(const double* x, double* s, double* c, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) sinCos(x[i], s[i], c[i]);
}
void cosOneByOne(const double* x, double* out, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) out[i] = cos(x[i]);
}
void atanOneByOne(const double* x, double* out, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) out[i] = atan(x[i]);
}
#endif

Variant chosen() {
#ifdef QV_CR_HAVE_AVX2
  __builtin_cpu_init();
  if (__builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma")) return {sinCosManyAvx2, cosManyAvx2, atanManyAvx2};
#endif
#ifdef QV_CR_HAVE_SSE2
  return {sinCosManySse2, cosManySse2, atanManySse2};
#else
  return {sinCosOneByOne, cosOneByOne, atanOneByOne};
#endif
}

const Variant& variant() {
  static const Variant v = chosen();
  return v;
}

}  // namespace

void sinCosMany(const double* x, double* sines, double* cosines, std::size_t n) {
  variant().sinCos(x, sines, cosines, n);
}

void cosMany(const double* x, double* out, std::size_t n) { variant().cos(x, out, n); }

void atanMany(const double* x, double* out, std::size_t n) { variant().atan(x, out, n); }

}  // namespace qv::cr
