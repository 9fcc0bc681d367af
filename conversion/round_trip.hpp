// One position taken to its Quorvel code and back, as a case of the test
// program does, for callers outside the test form (command line, benchmarks).
//
// In: latitude and longitude in decimal degrees, adjusted as the forward
// conversion adjusts them (the adjusted values come back in Bdez, Ldez).
// Out: the hour 1..12, every value of the code and of the way back, and
// whether the case ran into skip-on-error mode.  The reference point gives
// " m5:0 r0" and comes back as itself.

#pragma once

#include <cstdint>
#include <optional>

#include "case_values.hpp"
#include "runtime_error.hpp"

namespace qv {

struct RoundTrip {
  double Bdez = 0, Ldez = 0;  // after the input adjustment
  std::int16_t stunde = 0;
  bool skipOnError = false;   // whether the case ran into skip-on-error mode
  CaseValues values;
};

// Raises the run-time error of a failing step when skip-on-error mode is off:
// a floating-point fault, or on the hour's ray a sector cosine of the inverse
// rounded just past 1 (e.g. 48.2 N on the reference meridian).
RoundTrip roundTrip(double latitude, double longitude);

// The same, keeping the code when only the inverse fails: next to the hour's
// ray skip-on-error mode stays off, and the inverse can raise for a code that
// exists.  Raises the forward conversion's run-time error only; the inverse's
// is kept, with the values the inverse left.
struct Encoding {
  RoundTrip trip;
  std::optional<RuntimeError> inverseError;
};
Encoding encodePosition(double latitude, double longitude);

}  // namespace qv
