// The inverse conversion of the test program, in double precision.

#include "conversion/detail/inverse.hpp"

#include <cmath>

#include "conversion/detail/angles.hpp"
#include "conversion/detail/hour_sector.hpp"
#include "conversion/detail/reference_point.hpp"
#include "conversion/detail/round_trip_steps.hpp"

namespace qv {

void inverseConversion(std::int16_t stunde, CaseValues& v, ErrorMode& mode) {
  using cr::cos;
  mode.step([&] { v.bogengradbk = quot(v.distkm, kmPerDegree); });
  mode.step([&] { v.bogenradbk = degToRad(v.bogengradbk); });
  mode.step([&] { v.versatzgradbk = quot(v.versatzkm, kmPerDegree); });
  mode.step([&] { v.versatzradbk = degToRad(v.versatzgradbk); });
  mode.step([&] { v.cosversatzbk = cos(v.versatzradbk); });

  // Inverts cos(offset) = cos²(c) + sin²(c)·cos(angle); the quotient is used
  // as it comes out, also when rounding has carried it past ±1.  Sines and
  // cosines are taken once per value: they are pure, so no result changes.
  double sinBogen = 0, cosBogen = 0;
  cr::sinCos(v.bogenradbk, sinBogen, cosBogen);
  if (mode.decide([&] { return sinBogen == 0; })) {
    mode.step([&] { v.cossektorbk = 1; });
  } else {
    mode.step([&] { v.cossektorbk = steps::cosSectorBack(raising, v.cosversatzbk, sinBogen, cosBogen); });
  }

  if (mode.decide([&] { return v.cossektorbk == 1; })) {
    mode.step([&] { v.sektorradbk = 0; });
  } else if (mode.decide([&] { return v.cossektorbk == -1; })) {
    mode.step([&] { v.sektorradbk = pi(); });
  } else {
    // Two steps: past ±1 the first fails and the angle comes back as 90°.
    mode.step([&] { v.sektorradbk = arcTanForm(v.cossektorbk); });
    mode.step([&] { v.sektorradbk = checked(v.sektorradbk + halfPi()); });
  }
  mode.step([&] { v.sektorgradbk = radToDeg(v.sektorradbk); });

  // An hour outside 1..12 leaves the direction unset: due south.
  mode.step([&] {
    double r = 0;
    if (directionOfHour(stunde, v.sektorgradbk, r)) v.richtgradbk = checked(r);
  });
  mode.step([&] { v.richtradbk = degToRad(v.richtgradbk); });
  mode.step([&] { v.kobogenradbk = steps::coCentralAngleRad(raising, v.bogengradbk); });

  double cosK = 0, sinK = 0, cosR = 0, sinR = 0;
  cr::sinCos(v.kobogenradbk, sinK, cosK);
  cr::sinCos(v.richtradbk, sinR, cosR);

  // Latitude: the arc sine of −negsinBbk.
  mode.step([&] { v.negsinBbk = steps::negSinLatitudeFirst(raising, cosK, cosR); });
  mode.step([&] { v.negsinBbk = steps::negSinLatitude(raising, v.negsinBbk, sinK); });
  if (mode.decide([&] { return v.negsinBbk == 1; })) {
    mode.step([&] { v.Bradbk = -halfPi(); });
  } else if (mode.decide([&] { return v.negsinBbk == -1; })) {
    mode.step([&] { v.Bradbk = halfPi(); });
  } else {
    mode.step([&] { v.Bradbk = arcTanForm(v.negsinBbk); });
  }
  mode.step([&] { v.Bdezbk = radToDeg(v.Bradbk); });

  // Cartesian components of the point back, both negated.
  const steps::ComponentTerms x = steps::xTerms(), y = steps::yTerms();
  mode.step([&] { v.Xbk = steps::componentFirst(raising, x, cosK, cosR); });
  mode.step([&] { v.Xbk = steps::componentSecond(raising, x, v.Xbk, cosK, sinR); });
  mode.step([&] { v.Xbk = steps::componentThird(raising, x, v.Xbk, sinK); });
  mode.step([&] { v.Ybk = steps::componentFirst(raising, y, cosK, cosR); });
  mode.step([&] { v.Ybk = steps::componentSecond(raising, y, v.Ybk, cosK, sinR); });
  mode.step([&] { v.Ybk = steps::componentThird(raising, y, v.Ybk, sinK); });

  // Longitude: its absolute value through the arc cosine, its sign from Ybk.
  const auto q = [&] { return steps::axisDistance(raising, v.Xbk, v.Ybk); };
  if (mode.decide([&] { return q() == 0; })) {
    mode.step([&] { v.cosLrestbk() = 1; });
  } else {
    mode.step([&] { v.cosLrestbk() = quot(v.Xbk, q()); });
  }
  mode.step([&] { v.Lrestradbk() = arcCos(v.cosLrestbk()); });
  mode.step([&] { v.Ldezbk = steps::longitudeBack(raising, v.Lrestradbk()); });
  if (mode.decide([&] { return v.Ybk > 0; })) {
    mode.step([&] { v.Ldezbk = -v.Ldezbk.value_or(0); });
    if (mode.decide([&] { return v.Ldezbk.value_or(0) == -180; })) mode.step([&] { v.Ldezbk = 180; });
  }
}

}  // namespace qv
