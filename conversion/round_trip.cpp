#include "round_trip.hpp"

#include "forward.hpp"
#include "inverse.hpp"

namespace qv {

RoundTrip roundTrip(double latitude, double longitude) {
  RoundTrip t;
  t.Bdez = latitude;
  t.Ldez = longitude;
  ErrorMode mode;
  forwardConversion(t.Bdez, t.Ldez, t.stunde, t.values, mode);
  inverseConversion(t.stunde, t.values, mode);
  t.skipOnError = mode.skipping();
  return t;
}

}  // namespace qv
