// Every field of one position's code, as a program shows them: the numbers,
// the texts, and the way back as far as it got.
#pragma once

#include <optional>
#include <string>

#include "conversion/round_trip_point.hpp"
#include "conversion/runtime_error.hpp"

namespace qv {

struct EncodedCase {
  // The position used (after the input adjustment), the code's numbers and
  // the position back; `point.error` is never set: see inverseError.
  RoundTripPoint point;
  // The offset's and the distance's one-decimal texts ("6.6", "236.8"), and
  // the code text without its leading blank ("m11:6.6 r236.8").
  std::string offsetText, distanceText, code;
  // Next to an hour's ray skip-on-error mode stays off, and the inverse can
  // raise for a code that exists: its error, the code standing.
  std::optional<RuntimeError> inverseError;
};

// The case of latitude and longitude in degrees, taken as they are and then
// adjusted as the forward conversion adjusts them (as roundTrips takes
// them).  Raises the forward conversion's RuntimeError.
EncodedCase encodeCase(double latitude, double longitude);

}  // namespace qv
