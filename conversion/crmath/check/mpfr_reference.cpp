// The true values of a function of one double, from MPFR.
#include "conversion/crmath/check/mpfr_reference.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

namespace qv::crcheck {
namespace {

constexpr mpfr_prec_t kDoubleBits = 53;
constexpr mpfr_prec_t kWideBits = 300;
// The spacing of the subnormals, 2^-1074.
constexpr long kSmallestUlpExponent = -1074;

// A double's exponent range in MPFR's convention, x = 0.1b… × 2^e: the
// smallest subnormal 2^-1074 has e = -1073, the largest double e = 1024.
// MPFR rounds into whatever range is in force, so it is narrowed for the
// one call that must overflow and underflow as a double does.
class DoubleExponentRange {
 public:
  DoubleExponentRange() : emin_(mpfr_get_emin()), emax_(mpfr_get_emax()) {
    mpfr_set_emin(-1073);
    mpfr_set_emax(1024);
  }
  ~DoubleExponentRange() {
    mpfr_set_emin(emin_);
    mpfr_set_emax(emax_);
  }
  DoubleExponentRange(const DoubleExponentRange&) = delete;
  DoubleExponentRange& operator=(const DoubleExponentRange&) = delete;

 private:
  mpfr_exp_t emin_, emax_;
};

}  // namespace

Reference::Reference() {
  mpfr_inits2(kDoubleBits, in_, out_, static_cast<mpfr_ptr>(nullptr));
  mpfr_inits2(kWideBits, wide_, work_, frac_, static_cast<mpfr_ptr>(nullptr));
}

Reference::~Reference() { mpfr_clears(in_, out_, wide_, work_, frac_, static_cast<mpfr_ptr>(nullptr)); }

double Reference::correctlyRounded(MpfrFunction f, double x) {
  mpfr_set_d(in_, x, MPFR_RNDN);  // exact: 53 bits
  const DoubleExponentRange range;
  // Correctly rounded to 53 bits within the range; the subnormals then lose
  // the bits below 2^-1074, rounded once, from the ternary value.
  const int ternary = f(out_, in_, MPFR_RNDN);
  mpfr_subnormalize(out_, ternary, MPFR_RNDN);
  return mpfr_get_d(out_, MPFR_RNDN);  // exact
}

long Reference::wideValue(MpfrFunction f, double x) {
  mpfr_set_d(in_, x, MPFR_RNDN);
  wideExact_ = f(wide_, in_, MPFR_RNDN) == 0;
  // f(x) in [2^(e-1), 2^e): doubles there are 2^(e-53) apart.
  if (!mpfr_regular_p(wide_)) return kSmallestUlpExponent;
  return std::max<long>(mpfr_get_exp(wide_) - kDoubleBits, kSmallestUlpExponent);
}

double Reference::ulpError(MpfrFunction f, double x, double got) {
  const long ulpExponent = wideValue(f, x);
  constexpr double kInfinite = std::numeric_limits<double>::infinity();
  if (mpfr_nan_p(wide_) || std::isnan(got)) return mpfr_nan_p(wide_) && std::isnan(got) ? 0 : kInfinite;
  if (mpfr_inf_p(wide_) || std::isinf(got)) return mpfr_cmp_d(wide_, got) == 0 ? 0 : kInfinite;
  mpfr_set_d(work_, got, MPFR_RNDN);
  mpfr_sub(work_, work_, wide_, MPFR_RNDN);
  mpfr_mul_2si(work_, work_, -ulpExponent, MPFR_RNDN);
  return std::fabs(mpfr_get_d(work_, MPFR_RNDN));
}

Hardness Reference::hardness(MpfrFunction f, double x) {
  const long ulpExponent = wideValue(f, x);
  if (!mpfr_regular_p(wide_)) return {.exact = true};
  // |f(x)| in units of the double spacing: the significand as the integer
  // part, the bits past the last place of a double as the fraction.
  mpfr_abs(work_, wide_, MPFR_RNDN);
  mpfr_mul_2si(work_, work_, -ulpExponent, MPFR_RNDN);
  mpfr_frac(frac_, work_, MPFR_RNDN);
  // The bits computed after the rounding bit.
  const long available = kWideBits - (mpfr_get_exp(wide_) - ulpExponent) - 1;
  // A double, or closer to one than 300 bits tell (sin x for tiny x).
  if (mpfr_zero_p(frac_))
    return wideExact_ ? Hardness{.exact = true}
                      : Hardness{.identicalBits = static_cast<int>(available), .beyondPrecision = true};
  const bool roundingBit = mpfr_cmp_d(frac_, 0.5) >= 0;
  // The bits after the rounding bit, as a fraction r in [0, 1).
  mpfr_mul_2ui(frac_, frac_, 1, MPFR_RNDN);
  if (roundingBit) mpfr_sub_ui(frac_, frac_, 1, MPFR_RNDN);
  Hardness h;
  long run = available;
  bool runBit = false;
  if (!mpfr_zero_p(frac_)) {
    runBit = mpfr_cmp_d(frac_, 0.5) >= 0;
    // k leading zeros: r in [2^-(k+1), 2^-k), so r's exponent is -k.  k
    // leading ones: 1 − r ≤ 2^-k, one more where 1 − r is a power of two.
    if (runBit) mpfr_ui_sub(frac_, 1, frac_, MPFR_RNDN);
    run = -mpfr_get_exp(frac_);
    if (runBit && mpfr_cmp_ui_2exp(frac_, 1, mpfr_get_exp(frac_) - 1) == 0) ++run;
  }
  h.beyondPrecision = run >= available;
  h.identicalBits = static_cast<int>(std::min(run, available));
  h.nearMidpoint = runBit != roundingBit;
  return h;
}

}  // namespace qv::crcheck
