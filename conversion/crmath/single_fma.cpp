// The single functions with the fused multiply-subtract, which gives a
// product's exact error in one instruction where Dekker's takes seventeen:
// the same bits as single_portable.cpp.  Built with -mfma on x86-64 (ARM64
// always has it) in a namespace of its own (QV_CR_ISA); chosen only where
// the processor has FMA.
//
// Empty where the compiler does not target FMA (a build that takes every
// crmath file, such as the WebAssembly one): only CMake's x86-64 build, with
// -mfma, and its ARM64 build add the variant (QV_CR_HAVE_FMA).
#if defined(__FMA__) || defined(__aarch64__)
#define QV_CR_ISA fma
#define QV_CR_FUSED_MULTIPLY_SUBTRACT(a, b, p) std::fma(a, b, -(p))
#include <cmath>

#include "conversion/crmath/single_paths.hpp"
#include "conversion/crmath/single_variants.hpp"

namespace qv::cr {

double sinFma(double x) { return sinPath(x); }
double cosFma(double x) { return cosPath(x); }
double atanFma(double x) { return atanPath(x); }
void sinCosFma(double x, double& sine, double& cosine) { sinCosPath(x, sine, cosine); }

}  // namespace qv::cr
#endif
