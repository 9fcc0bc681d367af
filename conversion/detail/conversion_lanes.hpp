// The common path of the forward and the inverse conversion for a few
// points at once (round_trip_lanes.hpp): the input needs no adjustment, every
// arc cosine and arc sine takes its general branch, no step faults and no
// special case applies.  Any other point is marked, for its single
// conversion.  Unmarked lanes get the bits of the single conversions: the
// same steps (round_trip_steps.hpp) in the same order.
#pragma once

#include <cstddef>
#include <cstdint>

#include "conversion/detail/angles.hpp"
#include "conversion/detail/forward.hpp"
#include "conversion/detail/hour_sector.hpp"
#include "conversion/detail/reference_point.hpp"
#include "conversion/detail/round_trip_lanes.hpp"
#include "conversion/detail/round_trip_steps.hpp"

namespace qv {

// Points in flight at once: enough to cover the latency of a libm call with
// the others' work, few enough to stay in registers and the first cache.
constexpr std::size_t laneCount = 8;

template <std::size_t N>
struct ForwardLanes {
  Lanes<N> Bdez, Ldez, distkm, versatzkm, richtgrad, sektorgrad;
  std::int16_t stunde[N] = {};
};

template <std::size_t N>
ForwardLanes<N> forwardLanes(const double* lat, const double* lon, MarkFaults<N>& f) {
  using L = Lanes<N>;
  ForwardLanes<N> r;
  L& Bdez = r.Bdez;
  L& Ldez = r.Ldez;
  for (std::size_t i = 0; i < N; ++i) {
    Bdez[i] = lat[i];
    Ldez[i] = lon[i];
    f.marked[i] |=
        adjustsInput(Bdez[i], Ldez[i]) || (Bdez[i] == referenceLatitude() && Ldez[i] == referenceLongitude());
  }

  const L dLrad = steps::longitudeDifferenceRad(f, Ldez);
  const L Brad = degToRad(f, Bdez);
  L sinBrad, cosBrad, sinDL, cosDL;
  sinCos(Brad, sinBrad, cosBrad);
  sinCos(dLrad, sinDL, cosDL);
  const L cosbogen = steps::cosCentralAngle(f, sinBrad, cosBrad, cosDL);
  f.markExact(cosbogen);
  const L bogenrad = arcCosGeneral(f, cosbogen);
  const L bogengrad = radToDeg(f, bogenrad);
  r.distkm = f.checked(bogengrad * kmPerDegree);

  const L S = steps::southward(sinBrad, cosBrad, cosDL);
  const L cosricht = f.quot(S, steps::directionRadius(f, S, cosBrad, sinDL));
  f.markExact(cosricht);
  L& richtgrad = r.richtgrad;
  richtgrad = steps::directionDegrees(f, arcCosGeneral(f, cosricht));
  L sektorgrad;
  for (std::size_t i = 0; i < N; ++i) {
    if (Ldez[i] > referenceLongitude() || Ldez[i] < referenceLongitude() - 180) richtgrad[i] = -richtgrad[i];
    const SectorRow* row = decidingRow(richtgrad[i]);
    f.marked[i] |= row == nullptr;
    sektorgrad[i] = row ? row->base - richtgrad[i] : 0;
    r.stunde[i] = row ? row->hour : 0;
  }
  r.sektorgrad = f.checked(sektorgrad);

  const L sektorrad = degToRad(f, r.sektorgrad);
  L sinBogen, cosBogen;
  sinCos(bogenrad, sinBogen, cosBogen);
  const L cosversatz = steps::cosOffset(f, sinBogen, cosBogen, cos(sektorrad));
  f.markExact(cosversatz);
  const L versatzgrad = radToDeg(f, arcCosGeneral(f, cosversatz));
  r.versatzkm = f.checked(kmPerDegree * versatzgrad);
  return r;
}

template <std::size_t N>
struct InverseLanes {
  Lanes<N> Bdezbk, Ldezbk, Ybk;
};

template <std::size_t N>
InverseLanes<N> inverseLanes(const std::int16_t* stunde, const Lanes<N>& distkm, const Lanes<N>& versatzkm,
                             MarkFaults<N>& f) {
  using L = Lanes<N>;
  InverseLanes<N> r;
  const L bogengradbk = f.quot(distkm, L::all(kmPerDegree));
  const L bogenradbk = degToRad(f, bogengradbk);
  const L versatzradbk = degToRad(f, f.quot(versatzkm, L::all(kmPerDegree)));
  L sinBogenbk, cosBogenbk;
  sinCos(bogenradbk, sinBogenbk, cosBogenbk);
  const L cossektorbk = steps::cosSectorBack(f, cos(versatzradbk), sinBogenbk, cosBogenbk);
  f.markExact(cossektorbk);
  const L sektorradbk = f.checked(arcTanForm(f, cossektorbk) + halfPi());
  const L sektorgradbk = radToDeg(f, sektorradbk);
  L richtgradbk;
  for (std::size_t i = 0; i < N; ++i) {
    double direction = 0;
    f.marked[i] |= !directionOfHour(stunde[i], sektorgradbk[i], direction);
    richtgradbk[i] = direction;
  }
  richtgradbk = f.checked(richtgradbk);
  const L richtradbk = degToRad(f, richtgradbk);
  const L kobogenradbk = steps::coCentralAngleRad(f, bogengradbk);
  L cosK, sinK, cosR, sinR;
  sinCos(kobogenradbk, sinK, cosK);
  sinCos(richtradbk, sinR, cosR);

  const L negsinBbk = steps::negSinLatitude(f, steps::negSinLatitudeFirst(f, cosK, cosR), sinK);
  f.markExact(negsinBbk);
  r.Bdezbk = radToDeg(f, arcTanForm(f, negsinBbk));

  const auto component = [&](const steps::ComponentTerms& c) {
    return steps::componentThird(
        f, c, steps::componentSecond(f, c, steps::componentFirst(f, c, cosK, cosR), cosK, sinR), sinK);
  };
  const L Xbk = component(steps::xTerms());
  r.Ybk = component(steps::yTerms());
  const L& Ybk = r.Ybk;
  const L cosLrestbk = f.quot(Xbk, steps::axisDistance(f, Xbk, Ybk));
  f.markExact(cosLrestbk);
  L& Ldezbk = r.Ldezbk;
  Ldezbk = steps::longitudeBack(f, arcCosGeneral(f, cosLrestbk));

  for (std::size_t i = 0; i < N; ++i)
    if (Ybk[i] > 0) {
      Ldezbk[i] = -Ldezbk[i];
      f.marked[i] |= Ldezbk[i] == -180;
    }
  return r;
}

}  // namespace qv
