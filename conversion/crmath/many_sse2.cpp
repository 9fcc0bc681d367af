// The vector fast paths on two lanes: SSE2, which every x86-64 and every
// i686 build of ours has.
#include "conversion/crmath/many_lanes.hpp"
#include "conversion/crmath/many_variants.hpp"

namespace qv::cr {

namespace {
using Sse2 = double __attribute__((vector_size(16)));
using Sse2Bits = std::int64_t __attribute__((vector_size(16)));
}  // namespace

void sinCosManySse2(const double* x, double* s, double* c, std::size_t n) {
  sinCosManyWith<Sse2, Sse2Bits, 2>(x, s, c, n);
}
void cosManySse2(const double* x, double* out, std::size_t n) { cosManyWith<Sse2, Sse2Bits, 2>(x, out, n); }
void atanManySse2(const double* x, double* out, std::size_t n) { atanManyWith<Sse2, Sse2Bits, 2>(x, out, n); }

}  // namespace qv::cr
