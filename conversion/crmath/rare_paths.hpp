// The single functions' rare cases, out of the fast paths' code: arguments
// outside the fast path (zero and tiny, huge, infinite, NaN) and the results
// that the rounding test rejects (about one in 16,000).  Shared by every
// variant of single_paths.hpp.
#pragma once

namespace qv::cr {

// rh + rl = ax − kd·π/512 within 2^-108, |rl| <= 2^-53·|rh|, for the fast
// path's arguments whose codyWaite gave |rh| < minimumReduced (kernels.hpp).
void reduceNextToStep(double ax, double kd, double& rh, double& rl);
// x with |x| < 2^-27, |x| >= 8192, ±inf or NaN.
double sinOffFastPath(double x);
double cosOffFastPath(double x);
// x with |x| < 2^-27, |x| > 2^54 or NaN.
double atanOffFastPath(double x);
// The accurate path's sin x, cos x and atan x, for finite x with |x| >= 2^-27
// (atan: up to 2^54).
double sinRejected(double x);
double cosRejected(double x);
double atanRejected(double x);

}  // namespace qv::cr
