// One position to its Quorvel code and back, outside the test form.

#include "round_trip.hpp"

#include "forward.hpp"
#include "inverse.hpp"

namespace qv {

Encoding encodePosition(double latitude, double longitude) {
  Encoding e;
  RoundTrip& t = e.trip;
  t.Bdez = latitude;
  t.Ldez = longitude;
  ErrorMode mode;
  forwardConversion(t.Bdez, t.Ldez, t.stunde, t.values, mode);
  // Skip-on-error mode is settled by the forward conversion.
  t.skipOnError = mode.skipping();
  try {
    inverseConversion(t.stunde, t.values, mode);
  } catch (const RuntimeError& error) {
    e.inverseError = error;
  }
  return e;
}

RoundTrip roundTrip(double latitude, double longitude) {
  Encoding e = encodePosition(latitude, longitude);
  if (e.inverseError) throw *e.inverseError;
  return e.trip;
}

}  // namespace qv
