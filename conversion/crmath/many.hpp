// Sine, cosine and arc tangent of many doubles at once, bit for bit the single
// functions of correctly_rounded.hpp: the fast paths run on vectors of lanes
// (SSE2, or AVX2 with fused multiply-add where the processor has them, chosen
// once at run time; NEON with fused multiply-add on ARM64), and a lane that
// leaves the fast path takes the single function.
#pragma once

#include <cstddef>

namespace qv::cr {

void sinCosMany(const double* x, double* sines, double* cosines, std::size_t n);
void cosMany(const double* x, double* out, std::size_t n);
void atanMany(const double* x, double* out, std::size_t n);

}  // namespace qv::cr
