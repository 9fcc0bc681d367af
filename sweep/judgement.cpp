// Whether a case's round trip is an error case.

#include "sweep/judgement.hpp"

#include <cmath>

#include "conversion/detail/checked_math.hpp"

namespace qvsweep {

double longitudeDifference(double Ldezbk, double Ldez) {
  // fmod is exact, so whole turns leave no rounding behind.
  double d = std::fmod(qv::checked(Ldezbk - Ldez), 360.0);
  if (d > 180) d -= 360;
  else if (d <= -180) d += 360;
  return d;
}

bool isErrorCase(double Bdez, double Ldez, double Bdezbk, double Ldezbk, double fehlergrad) {
  // Both sides are evaluated, as the test is one step: either may raise.
  const bool latitudeOff = std::fabs(qv::checked(Bdezbk - Bdez)) > fehlergrad;
  const bool longitudeOff = std::fabs(longitudeDifference(Ldezbk, Ldez)) > fehlergrad;
  return latitudeOff || longitudeOff;
}

}  // namespace qvsweep
