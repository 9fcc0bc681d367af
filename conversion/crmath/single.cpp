// The single functions of correctly_rounded.hpp through the variant chosen on
// the first call (single_variants.hpp): one indirect call each.
#include <atomic>

#include "conversion/crmath/correctly_rounded.hpp"
#include "conversion/crmath/fast_paths.hpp"
#include "conversion/crmath/processor.hpp"
#include "conversion/crmath/reduction.hpp"
#include "conversion/crmath/single_paths.hpp"
#include "conversion/crmath/single_variants.hpp"
#include "conversion/crmath/variants.hpp"
#include "conversion/crmath/variant_choice.hpp"

namespace qv::cr {

namespace {

bool always() { return true; }

constexpr SingleVariant kVariants[] = {
#ifdef QV_CR_HAVE_FMA
    {"FMA", hasFma, sinFma, cosFma, atanFma, sinCosFma},
#endif
    {"portable", always, sinPortable, cosPortable, atanPortable, sinCosPortable},
};

double sinFirst(double x);
double cosFirst(double x);
double atanFirst(double x);
void sinCosFirst(double x, double& sine, double& cosine);

// Constant-initialised, so that a call made while other files' statics are
// built finds them set; the first call stores the chosen variant's (any
// thread storing the same values).
std::atomic<double (*)(double)> sinNow{sinFirst}, cosNow{cosFirst}, atanNow{atanFirst};
std::atomic<void (*)(double, double&, double&)> sinCosNow{sinCosFirst};

const SingleVariant& choose() {
  const SingleVariant* v = &chooseVariant(singleVariants(), "QV_CR_SINGLE");
  sinNow.store(v->sin, std::memory_order_relaxed);
  cosNow.store(v->cos, std::memory_order_relaxed);
  atanNow.store(v->atan, std::memory_order_relaxed);
  sinCosNow.store(v->sinCos, std::memory_order_relaxed);
  return *v;
}

double sinFirst(double x) { return choose().sin(x); }
double cosFirst(double x) { return choose().cos(x); }
double atanFirst(double x) { return choose().atan(x); }
void sinCosFirst(double x, double& sine, double& cosine) { choose().sinCos(x, sine, cosine); }

}  // namespace

std::span<const SingleVariant> singleVariants() { return kVariants; }
const SingleVariant& chosenSingleVariant() { return chooseVariant(singleVariants(), "QV_CR_SINGLE"); }

double sin(double x) { return sinNow.load(std::memory_order_relaxed)(x); }
double cos(double x) { return cosNow.load(std::memory_order_relaxed)(x); }
double atan(double x) { return atanNow.load(std::memory_order_relaxed)(x); }
void sinCos(double x, double& sine, double& cosine) { sinCosNow.load(std::memory_order_relaxed)(x, sine, cosine); }

void fastSinOfStepParts(double ax, std::uint32_t quadrantShift, double& hi, double& lo) {
  std::uint32_t k = 0;
  double rh = 0, rl = 0;
  if (ax < codyWaiteLimit) {
    double kd = 0;
    codyWaite(ax, tables::inverseOfPiOver512, tables::piOver512Part1, tables::piOver512Part2, tables::piOver512Part3,
              kd, rh, rl);
    k = static_cast<std::uint32_t>(kd) & 1023u;
  } else {
    reduceLargeByStep(ax, k, rh, rl);
  }
  sinOfStep(k + quadrantShift, 0, stepTerms(rh, rl), hi, lo);
}

void fastAtanParts(double ax, double& hi, double& lo) { fastAtanOf(ax, 0, hi, lo); }

}  // namespace qv::cr
