// The processor variants of the single functions (correctly_rounded.hpp) and
// of the batch (many.hpp).  Every variant gives the same bits; the library
// chooses the fastest that the processor runs, once, and the MPFR checker and
// the benchmarks hold each against the others.
#pragma once

#include <cstddef>
#include <span>

namespace qv::cr {

struct SingleVariant {
  const char* name;
  bool (*available)();  // whether this processor runs it
  double (*sin)(double);
  double (*cos)(double);
  double (*atan)(double);
  void (*sinCos)(double, double&, double&);
};

struct ManyVariant {
  const char* name;
  bool (*available)();
  void (*sinCos)(const double* x, double* sines, double* cosines, std::size_t n);
  void (*cos)(const double* x, double* out, std::size_t n);
  void (*atan)(const double* x, double* out, std::size_t n);
};

// The variants built in, fastest first; the last runs everywhere.
std::span<const SingleVariant> singleVariants();
std::span<const ManyVariant> manyVariants();

// The variants that correctly_rounded.hpp and many.hpp run: the fastest this
// processor has, or the one named by QV_CR_SINGLE (FMA, portable) or
// QV_CR_BATCH (AVX2, SSE2, NEON, one by one) where the processor has that one.
const SingleVariant& chosenSingleVariant();
const ManyVariant& chosenManyVariant();

}  // namespace qv::cr
