// The single round trip, and the batch that keeps several points in flight.

#include "conversion/round_trip.hpp"

#include <stdexcept>

#include "conversion/angles.hpp"
#include "conversion/code_text.hpp"
#include "conversion/forward.hpp"
#include "conversion/hour_sector.hpp"
#include "conversion/inverse.hpp"
#include "conversion/round_trip_lanes.hpp"
#include "conversion/round_trip_steps.hpp"

namespace qv {

namespace {

// Forward, then the code texts when asked (where the code is to be shown),
// then the inverse, whose run-time error is kept.
Encoding convert(double latitude, double longitude, bool texts) {
  Encoding e;
  RoundTrip& t = e.trip;
  t.latitude = latitude;
  t.longitude = longitude;
  ErrorMode mode;
  forwardConversion(t.latitude, t.longitude, t.hour, t.values, mode);
  // Skip-on-error mode is settled by the forward conversion.
  t.skipOnError = mode.skipping();
  if (texts) codeTexts(t.hour, t.values, mode);
  const unsigned abandonedBefore = mode.abandoned();
  try {
    inverseConversion(t.hour, t.values, mode);
  } catch (const RuntimeError& error) {
    e.inverseError = error;
  }
  t.inverseRaised = mode.abandoned() != abandonedBefore;
  return e;
}

}  // namespace

Encoding encodePosition(double latitude, double longitude) { return convert(latitude, longitude, true); }

RoundTrip roundTrip(double latitude, double longitude) {
  Encoding e = convert(latitude, longitude, false);
  if (e.inverseError) throw *e.inverseError;
  return e.trip;
}

RoundTripPoint pointOf(const RoundTrip& t) {
  const CaseValues& v = t.values;
  return {t.latitude, t.longitude, t.hour, t.skipOnError, t.inverseRaised, std::nullopt, v.distkm, v.versatzkm,
          bearingOf(v.richtgrad), v.sektorgrad, v.Bdezbk, v.Ldezbk, v.Ybk};
}

namespace {

// Points in flight at once: enough to cover the latency of a libm call with
// the others' work, few enough to stay in registers and the first cache.
constexpr std::size_t laneCount = 8;
using L = Lanes<laneCount>;

// The common path of roundTrip for N points: the input needs no adjustment,
// every arc cosine and arc sine takes its general branch (so skip-on-error
// mode is on), no step faults and no special case applies.  Any other point
// is marked and left to roundTrip.
void commonPath(const double* lat, const double* lon, RoundTripPoint* out, MarkFaults<laneCount>& f) {
  L Bdez, Ldez;
  for (std::size_t i = 0; i < laneCount; ++i) {
    Bdez[i] = lat[i];
    Ldez[i] = lon[i];
    f.marked[i] |= adjustsInput(Bdez[i], Ldez[i]) ||
                   (Bdez[i] == referenceLatitude() && Ldez[i] == referenceLongitude());
  }

  // Forward conversion.
  const L dLrad = steps::longitudeDifferenceRad(f, Ldez);
  const L Brad = degToRad(f, Bdez);
  L sinBrad, cosBrad, sinDL, cosDL;
  sinCos(Brad, sinBrad, cosBrad);
  sinCos(dLrad, sinDL, cosDL);
  const L cosbogen = steps::cosCentralAngle(f, sinBrad, cosBrad, cosDL);
  f.markExact(cosbogen);
  const L bogenrad = arcCosGeneral(f, cosbogen);
  const L bogengrad = radToDeg(f, bogenrad);
  const L distkm = f.checked(bogengrad * kmPerDegree);

  const L S = steps::southward(sinBrad, cosBrad, cosDL);
  const L cosricht = f.quot(S, steps::directionRadius(f, S, cosBrad, sinDL));
  f.markExact(cosricht);
  L richtgrad = steps::directionDegrees(f, arcCosGeneral(f, cosricht));
  L sektorgrad;
  std::int16_t stunde[laneCount] = {};
  for (std::size_t i = 0; i < laneCount; ++i) {
    if (Ldez[i] > referenceLongitude() || Ldez[i] < referenceLongitude() - 180) richtgrad[i] = -richtgrad[i];
    const SectorRow* row = decidingRow(richtgrad[i]);
    f.marked[i] |= row == nullptr;
    sektorgrad[i] = row ? row->base - richtgrad[i] : 0;
    stunde[i] = row ? row->hour : 0;
  }
  sektorgrad = f.checked(sektorgrad);

  const L sektorrad = degToRad(f, sektorgrad);
  L sinBogen, cosBogen;
  sinCos(bogenrad, sinBogen, cosBogen);
  const L cosversatz = steps::cosOffset(f, sinBogen, cosBogen, cos(sektorrad));
  f.markExact(cosversatz);
  const L versatzgrad = radToDeg(f, arcCosGeneral(f, cosversatz));
  const L versatzkm = f.checked(kmPerDegree * versatzgrad);

  // Inverse conversion.
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
  for (std::size_t i = 0; i < laneCount; ++i) {
    double r = 0;
    f.marked[i] |= !directionOfHour(stunde[i], sektorgradbk[i], r);
    richtgradbk[i] = r;
  }
  richtgradbk = f.checked(richtgradbk);
  const L richtradbk = degToRad(f, richtgradbk);
  const L kobogenradbk = steps::coCentralAngleRad(f, bogengradbk);
  L cosK, sinK, cosR, sinR;
  sinCos(kobogenradbk, sinK, cosK);
  sinCos(richtradbk, sinR, cosR);

  const L negsinBbk = steps::negSinLatitude(f, steps::negSinLatitudeFirst(f, cosK, cosR), sinK);
  f.markExact(negsinBbk);
  const L Bdezbk = radToDeg(f, arcTanForm(f, negsinBbk));

  const auto component = [&](const steps::ComponentTerms& c) {
    return steps::componentThird(f, c, steps::componentSecond(f, c, steps::componentFirst(f, c, cosK, cosR), cosK, sinR),
                                 sinK);
  };
  const L Xbk = component(steps::xTerms());
  const L Ybk = component(steps::yTerms());
  const L cosLrestbk = f.quot(Xbk, steps::axisDistance(f, Xbk, Ybk));
  f.markExact(cosLrestbk);
  L Ldezbk = steps::longitudeBack(f, arcCosGeneral(f, cosLrestbk));

  for (std::size_t i = 0; i < laneCount; ++i) {
    if (Ybk[i] > 0) {
      Ldezbk[i] = -Ldezbk[i];
      f.marked[i] |= Ldezbk[i] == -180;
    }
    out[i] = {Bdez[i],      Ldez[i],   stunde[i],    true,      false,     std::nullopt, distkm[i], versatzkm[i],
              bearingOf(richtgrad[i]), sektorgrad[i], Bdezbk[i], Ldezbk[i], Ybk[i]};
  }
}

RoundTripPoint singlePoint(double latitude, double longitude) {
  try {
    return pointOf(roundTrip(latitude, longitude));
  } catch (const RuntimeError& e) {
    RoundTripPoint p;
    p.error = e.kind();
    return p;
  }
}

}  // namespace

void roundTrips(std::span<const double> latitudes, std::span<const double> longitudes,
                std::span<RoundTripPoint> out) {
  if (longitudes.size() != latitudes.size() || out.size() != latitudes.size())
    throw std::invalid_argument("roundTrips: latitudes, longitudes and results of different lengths");
  const std::size_t n = latitudes.size();
  std::size_t at = 0;
  for (; at + laneCount <= n; at += laneCount) {
    MarkFaults<laneCount> f;
    commonPath(latitudes.data() + at, longitudes.data() + at, out.data() + at, f);
    if (!f.any()) continue;
    for (std::size_t i = 0; i < laneCount; ++i)
      if (f.isMarked(i)) out[at + i] = singlePoint(latitudes[at + i], longitudes[at + i]);
  }
  for (; at < n; ++at) out[at] = singlePoint(latitudes[at], longitudes[at]);
}

}  // namespace qv
