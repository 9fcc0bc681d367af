// The accurate paths: sine, cosine and arc tangent in 288-bit fixed point,
// for the few arguments whose fast-path result the rounding test rejects.
//
// Absolute error below 2^-280; each result is at least 2^-62 in magnitude for
// the arguments taken (sin and cos: any finite |x| >= 2^-27, the nearest a
// double comes to a multiple of π/2 being about 2^-61; atan: 2^-27 <= |x| <=
// 2^54), so the rounded double is the correctly rounded one.
#pragma once

namespace qv::cr {

double accurateSin(double x);
double accurateCos(double x);
double accurateAtan(double x);

}  // namespace qv::cr
