// The forward conversion of the test program, in double precision.

#include "conversion/detail/forward.hpp"

#include <cmath>

#include "conversion/detail/angles.hpp"
#include "conversion/detail/hour_sector.hpp"
#include "conversion/detail/reference_point.hpp"
#include "conversion/detail/round_trip_steps.hpp"

namespace qv {

void forwardConversion(double& Bdez, double& Ldez, std::int16_t& stunde, CaseValues& v, ErrorMode& mode,
                       const std::function<void()>& eastBoundClamped) {
  const double B0dez = referenceLatitude();
  const double L0dez = referenceLongitude();
  setReferencePoint(v);

  // Input adjustment, written back into the caller's variables.  Its tests
  // and assignments cannot fail, and skip-on-error mode is never on yet.
  if (adjustInput(Bdez, Ldez) && eastBoundClamped) eastBoundClamped();

  mode.step([&] { v.dLrad = steps::longitudeDifferenceRad(raising, Ldez); });
  mode.step([&] { v.Brad = degToRad(Bdez); });

  // Central angle.  The sines and cosines are taken once per value: they are
  // pure, so this changes no result.
  double sinBrad = 0, cosBrad = 0, sinDL = 0, cosDL = 0;
  cr::sinCos(v.Brad, sinBrad, cosBrad);
  cr::sinCos(v.dLrad, sinDL, cosDL);
  mode.step([&] { v.cosbogen = steps::cosCentralAngle(raising, sinBrad, cosBrad, cosDL); });
  mode.step([&] { v.bogenrad = arcCos(v.cosbogen); });
  if (mode.decide([&] { return B0dez == Bdez && L0dez == Ldez; })) mode.step([&] { v.bogenrad = 0; });

  // Distance.
  mode.step([&] { v.bogengrad = radToDeg(v.bogenrad); });
  mode.step([&] { v.distkm = checked(v.bogengrad * kmPerDegree); });

  // Direction: the cosine of the angle from due south, from the southward
  // component S and the square E2 of the eastward one.
  mode.step([&] {
    const double S = steps::southward(sinBrad, cosBrad, cosDL);
    const double r = steps::directionRadius(raising, S, cosBrad, sinDL);
    v.cosricht = r == 0 ? 1 : quot(S, r);
  });
  mode.step([&] { v.richtrad = arcCos(v.cosricht); });
  mode.step([&] { v.richtgrad = steps::directionDegrees(raising, v.richtrad); });
  if (mode.decide([&] { return Ldez > L0dez || Ldez < L0dez - 180; })) mode.step([&] { v.richtgrad = -v.richtgrad; });

  // Hour sector.  Its comparisons cannot raise, and skip-on-error mode is
  // not on yet, so the rule needs no steps of the mode.
  hourSector(v.richtgrad, v.sektorgrad, stunde, [](double s) { return checked(s); });

  // Offset: two points at the same central angle whose bearings differ by
  // the sector angle.
  mode.step([&] { v.sektorrad = degToRad(v.sektorgrad); });
  mode.step([&] {
    double sinBogen = 0, cosBogen = 0;
    cr::sinCos(v.bogenrad, sinBogen, cosBogen);
    v.cosversatz = steps::cosOffset(raising, sinBogen, cosBogen, cr::cos(v.sektorrad));
  });
  if (v.cosversatz == 1) {
    mode.step([&] { v.versatzrad = 0; });
  } else if (v.cosversatz == -1) {
    mode.step([&] { v.versatzrad = pi(); });
  } else {
    // Rounding can push the argument past 1 next to the hour's ray; from here
    // on such failures are skipped and the offset stays 0.
    mode.skipOnError();
    mode.step([&] { v.versatzrad = arcCos(v.cosversatz); });
  }
  mode.step([&] { v.versatzgrad = radToDeg(v.versatzrad); });
  mode.step([&] { v.versatzkm = checked(kmPerDegree * v.versatzgrad); });
}

}  // namespace qv
