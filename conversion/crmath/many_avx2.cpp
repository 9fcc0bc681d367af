// The vector fast paths on four lanes with AVX2, whose fused multiply-subtract
// gives Dekker's exact product error in one instruction.  Built with -mavx2
// -mfma; its templates live in their own namespace (QV_CR_ISA), and it runs
// only where the processor has both.
#define QV_CR_ISA avx2
#include <immintrin.h>
#define QV_CR_FUSED_MULTIPLY_SUBTRACT(a, b, p) _mm256_fmsub_pd(a, b, p)

#include "conversion/crmath/many_lanes.hpp"
#include "conversion/crmath/many_variants.hpp"

namespace qv::cr {

namespace {
using Avx2 = double __attribute__((vector_size(32)));
using Avx2Bits = std::int64_t __attribute__((vector_size(32)));
}  // namespace

void sinCosManyAvx2(const double* x, double* s, double* c, std::size_t n) {
  sinCosManyWith<Avx2, Avx2Bits, 4>(x, s, c, n);
}
void cosManyAvx2(const double* x, double* out, std::size_t n) { cosManyWith<Avx2, Avx2Bits, 4>(x, out, n); }
void atanManyAvx2(const double* x, double* out, std::size_t n) { atanManyWith<Avx2, Avx2Bits, 4>(x, out, n); }

}  // namespace qv::cr
