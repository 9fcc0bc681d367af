// Sine, cosine and arc tangent of a double, correctly rounded to nearest: one
// answer on every machine, so every build of the conversions writes the same
// bits.
//
// Every finite input gives the double nearest the exact value (ties cannot
// occur: these values are transcendental for every nonzero double).  sin and
// atan keep the sign of a zero; cos(±0) = 1; ±inf and NaN give NaN for sin and
// cos; atan(±inf) is ±π/2 rounded.  Only IEEE double additions,
// subtractions, multiplications and divisions are used (and integer
// arithmetic), never long double or the x87 unit; a fused multiply-subtract
// only where the processor has one, and only for a product's exact error,
// which the portable build gets from Dekker's product.  So x86-64, i686 with
// SSE2, ARM64 and WebAssembly compute the same bits.
//
// How: a fast path in double-double arithmetic with a table (relative error
// below 2^-69.2, and 2^-103 absolute from the argument reduction of sin and
// cos), a rounding test that accepts its result when the error bound cannot
// change the rounding, and for the rest (about one call in 25,000) an
// accurate path in 288-bit fixed point, good to 2^-280 absolute, whose result
// is at least 2^-62 for any double argument of at least 2^-27: that is
// 2^-218 relative, far below the 2^-(53+70) that the published worst cases of
// these functions need.  Arguments beyond 8192 are reduced with 384 bits of
// 2/π (Payne and Hanek).  The bounds are derived in crmath/kernels.hpp and
// checked against MPFR by conversion/crmath/check (scripts/check-math).  Each
// function runs the fastest variant the processor has (crmath/variants.hpp),
// chosen on the first call.
#pragma once

namespace qv::cr {

double sin(double x);   // x in radians
double cos(double x);   // x in radians
double atan(double x);  // result in radians, in [−π/2, π/2]
// sin x and cos x, with the bits of the two calls, from one reduction.
void sinCos(double x, double& sine, double& cosine);

}  // namespace qv::cr
