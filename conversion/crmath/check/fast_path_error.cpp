// fast_path_error: the largest relative error of the fast paths' double-double
// results (before the rounding test) against MPFR at 250 bits, the figures
// quoted beside the bounds in crmath/kernels.hpp.
// Usage: fast_path_error [N]   (N arguments a function, default 2000000)
#include <mpfr.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "conversion/crmath/fast_paths.hpp"

int main(int argc, char** argv) {
  const long n = argc > 1 ? std::atol(argv[1]) : 2000000;
  mpfr_t exact, error;
  mpfr_inits2(250, exact, error, static_cast<mpfr_ptr>(nullptr));
  const char* names[] = {"sin", "cos", "atan"};
  for (int f = 0; f < 3; ++f) {
    std::mt19937_64 random(5);
    double worst = -1e9, worstAt = 0;
    // Half in [0, 8], half spread over the exponents of the fast path.
    const int exponents = f == 2 ? 81 : 40;
    for (long i = 0; i < n; ++i) {
      const double u = std::ldexp(static_cast<double>(random() >> 11), -53);
      const double x = i % 2 == 0 ? 8 * u : std::ldexp(1 + u, static_cast<int>(random() % exponents) - 27);
      if (x < 0x1p-27 || (f < 2 && x >= 8192) || (f == 2 && x > 0x1p54)) continue;
      double hi = 0, lo = 0;
      if (f == 2)
        qv::cr::fastAtanParts(x, hi, lo);
      else
        qv::cr::fastSinOfStepParts(x, f == 0 ? 0 : 256, hi, lo);
      mpfr_set_d(exact, x, MPFR_RNDN);
      if (f == 0) mpfr_sin(exact, exact, MPFR_RNDN);
      if (f == 1) mpfr_cos(exact, exact, MPFR_RNDN);
      if (f == 2) mpfr_atan(exact, exact, MPFR_RNDN);
      mpfr_set_d(error, hi, MPFR_RNDN);
      mpfr_add_d(error, error, lo, MPFR_RNDN);
      mpfr_sub(error, error, exact, MPFR_RNDN);
      mpfr_div(error, error, exact, MPFR_RNDN);
      const double relative = std::fabs(mpfr_get_d(error, MPFR_RNDN));
      const double bits = relative == 0 ? -1000 : std::log2(relative);
      if (bits > worst) {
        worst = bits;
        worstAt = x;
      }
    }
    std::printf("%s fast path: largest relative error 2^%.2f at %a\n", names[f], worst, worstAt);
  }
  mpfr_clears(exact, error, static_cast<mpfr_ptr>(nullptr));
}
