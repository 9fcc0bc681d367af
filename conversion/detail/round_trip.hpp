// Positions taken to their Quorvel codes and back, as a case of the test
// program does, for callers outside the test form (command line, benchmarks,
// the sweep): one at a time with every working value, or many at once.
//
// In: latitude and longitude in decimal degrees, adjusted as the forward
// conversion adjusts them (the adjusted values come back in `latitude` and
// `longitude`).  Out: the hour 1..12, the code values and the way back, and
// whether the case ran into skip-on-error mode; the code texts only where
// the code is to be shown (encodePosition; codeTexts, detail/case_texts.hpp).  The
// reference point gives " m5:0 r0" and comes back as itself.

#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "conversion/detail/case_values.hpp"
#include "conversion/round_trip_point.hpp"
#include "conversion/runtime_error.hpp"

namespace qv {

struct RoundTrip {
  double latitude = 0, longitude = 0;  // degrees, after the input adjustment
  std::int16_t hour = 0;               // 1..12
  bool skipOnError = false;            // whether the case ran into skip-on-error mode
  // A step or test of the inverse raised and was abandoned in skip-on-error
  // mode, so the position back may rest on a kept value.
  bool inverseRaised = false;
  // Every working value of the conversions, under the names of their
  // formulas (the legend is in case_values.hpp).
  CaseValues values;
};

// The numbers alone, without the code texts.  Raises the run-time error of a
// failing step when skip-on-error mode is off: a floating-point fault, or on
// the hour's ray a sector cosine of the inverse rounded just past 1 (e.g.
// 48.2 N on the reference meridian).
RoundTrip roundTrip(double latitude, double longitude);

// The code to be shown: the numbers and the code texts, keeping the code when
// only the inverse fails: next to the hour's ray skip-on-error mode stays
// off, and the inverse can raise for a code that exists.  Raises the forward
// conversion's run-time error only; the inverse's is kept, with the values
// the inverse left.
struct Encoding {
  RoundTrip trip;
  std::optional<RuntimeError> inverseError;
};
Encoding encodePosition(double latitude, double longitude);
RoundTripPoint pointOf(const RoundTrip& t);

}  // namespace qv
