// The vector fast paths on two lanes for ARM64, whose NEON unit holds two
// doubles and whose fused multiply-add gives Dekker's exact product error in
// one instruction (every ARM64 processor has both).  Its templates live in
// their own namespace (QV_CR_ISA).
//
// Empty elsewhere (a build that takes every crmath file, such as pip's on
// x86): only CMake's ARM64 build adds the variant (QV_CR_HAVE_NEON).
#if defined(__aarch64__)
#define QV_CR_ISA neon
#include <arm_neon.h>
// a·b − p rounded once: −p + a·b fused.
#define QV_CR_FUSED_MULTIPLY_SUBTRACT(a, b, p) vfmaq_f64(-(p), a, b)

#include "conversion/crmath/many_lanes.hpp"
#include "conversion/crmath/many_variants.hpp"

namespace qv::cr {

namespace {
using Neon = double __attribute__((vector_size(16)));
using NeonBits = std::int64_t __attribute__((vector_size(16)));
}  // namespace

void sinCosManyNeon(const double* x, double* s, double* c, std::size_t n) {
  sinCosManyWith<Neon, NeonBits, 2>(x, s, c, n);
}
void cosManyNeon(const double* x, double* out, std::size_t n) { cosManyWith<Neon, NeonBits, 2>(x, out, n); }
void atanManyNeon(const double* x, double* out, std::size_t n) { atanManyWith<Neon, NeonBits, 2>(x, out, n); }

}  // namespace qv::cr
#endif
