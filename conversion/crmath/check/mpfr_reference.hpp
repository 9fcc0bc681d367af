// The true values of a function of one double, from MPFR: the correctly
// rounded double, a result's error in units in the last place, and how close
// the exact value comes to a rounding boundary.
#pragma once

#include <mpfr.h>

namespace qv::crcheck {

// mpfr_sin, mpfr_cos, mpfr_atan, ...: correctly rounded in any precision.
using MpfrFunction = int (*)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t);

// How far the exact value f(x) lies past the 53 bits of a double.
struct Hardness {
  // f(x) is a double (0, 1, ...), or NaN or infinite: nothing to round.
  bool exact = false;
  // Bits after the rounding bit that all have the same value: the larger,
  // the closer f(x) is to a rounding boundary, and the more precision a
  // correctly rounding implementation needs to decide.  A lower bound where
  // `beyondPrecision`: the run reached the end of the bits computed.
  int identicalBits = 0;
  bool beyondPrecision = false;
  // The run's bits differ from the rounding bit (…1000… or …0111…): f(x) is
  // near the midpoint between two doubles, the hard case of rounding to
  // nearest.  Otherwise it is near a double, hard only for directed rounding.
  bool nearMidpoint = false;
};

// One per thread: MPFR's variables are reused from call to call, and its
// exponent range and constant caches are the calling thread's own (a build
// of MPFR with thread-local storage, which mpfr_buildopt_tls_p() reports).
class Reference {
 public:
  Reference();
  ~Reference();
  Reference(const Reference&) = delete;
  Reference& operator=(const Reference&) = delete;

  // f(x) rounded to nearest double, subnormals and overflow as a double has
  // them: ±0 keep their sign, ±inf and NaN give what MPFR gives.
  double correctlyRounded(MpfrFunction f, double x);
  // |got − f(x)| in units in the last place of f(x) in double (the spacing
  // of doubles at f(x), 2^-1074 at and below the subnormals); infinite where
  // exactly one of got and f(x) is NaN or where got is infinite and f(x) is
  // not.  At most 0.5 for a correctly rounded result.
  double ulpError(MpfrFunction f, double x, double got);
  // f(x) computed with 300 bits.
  Hardness hardness(MpfrFunction f, double x);

 private:
  // f(x) into wide_ with 300 bits, and whether that is f(x) exactly; the
  // exponent of the double spacing at f(x).
  long wideValue(MpfrFunction f, double x);
  bool wideExact_ = false;

  mpfr_t in_, out_, wide_, work_, frac_;
};

}  // namespace qv::crcheck
