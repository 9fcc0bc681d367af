// Whether a case's round trip is an error case.

#include "sweep/detail/judgement.hpp"

#include <cmath>

#include "conversion/detail/checked_math.hpp"

namespace qvsweep {

double longitudeDifference(double longitudeBack, double longitude) {
  // fmod is exact, so whole turns leave no rounding behind.
  double d = std::fmod(qv::checked(longitudeBack - longitude), 360.0);
  if (d > 180)
    d -= 360;
  else if (d <= -180)
    d += 360;
  return d;
}

bool isErrorCase(double latitude, double longitude, double latitudeBack, double longitudeBack,
                 double toleranceDegrees) {
  // Both sides are evaluated, as the test is one step: either may raise.
  const bool latitudeOff = std::fabs(qv::checked(latitudeBack - latitude)) > toleranceDegrees;
  const bool longitudeOff = std::fabs(longitudeDifference(longitudeBack, longitude)) > toleranceDegrees;
  return latitudeOff || longitudeOff;
}

}  // namespace qvsweep
