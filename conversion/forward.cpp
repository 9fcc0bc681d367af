// The forward conversion of the test program, in double precision.

#include "forward.hpp"

#include <cmath>

#include "checked_math.hpp"
#include "code_text.hpp"
#include "hour_sector.hpp"
#include "reference_point.hpp"

namespace qv {

void forwardConversion(double& Bdez, double& Ldez, std::int16_t& stunde, CaseValues& v, ErrorMode& mode,
                       const std::function<void()>& eastBoundClamped) {
  const double B0dez = referenceLatitude();
  const double L0dez = referenceLongitude();
  setReferencePoint(v);

  // Input adjustment, written back into the caller's variables.  Values
  // below -180 and above 90 are left alone on purpose.
  if (mode.decide([&] { return Ldez == -180; })) mode.step([&] { Ldez = -179.999999; });
  if (mode.decide([&] { return Ldez > 180; })) {
    mode.step([&] { Ldez = 180; });
    if (eastBoundClamped) mode.step(eastBoundClamped);
  }
  if (mode.decide([&] { return Bdez <= -90; })) mode.step([&] { Bdez = -89.9; });
  if (mode.decide([&] { return Bdez == 90; })) mode.step([&] { Bdez = 89.9; });

  mode.step([&] { v.dLrad = degToRad(checked(Ldez - L0dez)); });
  mode.step([&] { v.Brad = degToRad(Bdez); });

  // Central angle.  The sines and cosines are taken once per value: they are
  // pure, so this changes no result.
  const ReferenceTrig& ref = referenceTrig();
  const double sinBrad = std::sin(v.Brad), cosBrad = std::cos(v.Brad);
  const double sinDL = std::sin(v.dLrad), cosDL = std::cos(v.dLrad);
  mode.step([&] { v.cosbogen = checked(ref.sinB0 * sinBrad + cosBrad * ref.cosB0 * cosDL); });
  mode.step([&] { v.bogenrad = arcCos(v.cosbogen); });
  if (mode.decide([&] { return B0dez == Bdez && L0dez == Ldez; })) mode.step([&] { v.bogenrad = 0; });

  // Distance.
  mode.step([&] { v.bogengrad = radToDeg(v.bogenrad); });
  mode.step([&] { v.distkm = checked(v.bogengrad * kmPerDegree); });
  mode.step([&] { v.disttext = oneDecimalText(v.distkm); });

  // Direction: the cosine of the angle from due south, from the southward
  // component S and the square E2 of the eastward one.
  mode.step([&] {
    const double S = cosBrad * ref.sinB0 * cosDL - ref.cosB0 * sinBrad;
    const double E2 = cosBrad * sinDL * cosBrad * sinDL;
    const double r = root(checked(S * S + E2));
    v.cosricht = r == 0 ? 1 : quot(S, r);
  });
  mode.step([&] { v.richtrad = arcCos(v.cosricht); });
  mode.step([&] { v.richtgrad = checked(((-v.richtrad) * halfTurnDegrees) / pi()); });
  if (mode.decide([&] { return Ldez > L0dez || Ldez < L0dez - 180; })) mode.step([&] { v.richtgrad = -v.richtgrad; });

  // Hour sector.  Its comparisons cannot raise, and skip-on-error mode is
  // not on yet, so the rule needs no steps of the mode.
  hourSector(v.richtgrad, v.sektorgrad, stunde, [](double s) { return checked(s); });

  // Offset: two points at the same central angle whose bearings differ by
  // the sector angle.
  mode.step([&] { v.sektorrad = degToRad(v.sektorgrad); });
  mode.step([&] {
    const double sinBogen = std::sin(v.bogenrad), cosBogen = std::cos(v.bogenrad);
    v.cosversatz = checked(cosBogen * cosBogen + sinBogen * sinBogen * std::cos(v.sektorrad));
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
  mode.step([&] { v.versatztext = oneDecimalText(v.versatzkm); });
  mode.step([&] { v.codetext = codeText(stunde, v.versatztext, v.disttext); });
}

}  // namespace qv
