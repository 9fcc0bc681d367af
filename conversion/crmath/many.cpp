// The choice among the vector variants of many.hpp, made once: AVX2 with FMA
// where the processor has both (not on Windows, whose GCC cannot keep 32-byte
// vectors aligned on the stack), SSE2 on other x86, NEON with FMA on ARM64,
// and the single functions elsewhere (WebAssembly).
#include "conversion/crmath/many.hpp"

#include "conversion/crmath/correctly_rounded.hpp"
#include "conversion/crmath/many_variants.hpp"
#include "conversion/crmath/processor.hpp"
#include "conversion/crmath/variants.hpp"
#include "conversion/crmath/variant_choice.hpp"

namespace qv::cr {

namespace {

bool always() { return true; }

#if !defined(QV_CR_HAVE_SSE2) && !defined(QV_CR_HAVE_NEON)
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

constexpr ManyVariant kVariants[] = {
#ifdef QV_CR_HAVE_AVX2
    {"AVX2", hasAvx2Fma, sinCosManyAvx2, cosManyAvx2, atanManyAvx2},
#endif
#if defined(QV_CR_HAVE_SSE2)
    {"SSE2", always, sinCosManySse2, cosManySse2, atanManySse2},
#elif defined(QV_CR_HAVE_NEON)
    {"NEON", always, sinCosManyNeon, cosManyNeon, atanManyNeon},
#else
    {"one by one", always, sinCosOneByOne, cosOneByOne, atanOneByOne},
#endif
};

const ManyVariant& variant() {
  static const ManyVariant& v = chooseVariant(manyVariants(), "QV_CR_BATCH");
  return v;
}

}  // namespace

std::span<const ManyVariant> manyVariants() { return kVariants; }
const ManyVariant& chosenManyVariant() { return variant(); }

void sinCosMany(const double* x, double* sines, double* cosines, std::size_t n) {
  variant().sinCos(x, sines, cosines, n);
}

void cosMany(const double* x, double* out, std::size_t n) { variant().cos(x, out, n); }

void atanMany(const double* x, double* out, std::size_t n) { variant().atan(x, out, n); }

}  // namespace qv::cr
