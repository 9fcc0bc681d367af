// The single round trip, and the batch that keeps several points in flight.

#include "conversion/detail/round_trip.hpp"

#include <stdexcept>

#include "conversion/detail/angles.hpp"
#include "conversion/detail/case_texts.hpp"
#include "conversion/detail/forward.hpp"
#include "conversion/detail/hour_sector.hpp"
#include "conversion/detail/inverse.hpp"
#include "conversion/detail/conversion_lanes.hpp"

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
  return {t.latitude,   t.longitude, t.hour,      t.skipOnError,          t.inverseRaised,
          std::nullopt, v.distkm,    v.versatzkm, bearingOf(v.richtgrad), v.sektorgrad,
          v.Bdezbk,     v.Ldezbk,    v.Ybk};
}

namespace {

void commonPath(const double* lat, const double* lon, RoundTripPoint* out, MarkFaults<laneCount>& f) {
  const ForwardLanes<laneCount> fw = forwardLanes(lat, lon, f);
  const InverseLanes<laneCount> bk = inverseLanes(fw.stunde, fw.distkm, fw.versatzkm, f);
  for (std::size_t i = 0; i < laneCount; ++i)
    out[i] = {fw.Bdez[i],
              fw.Ldez[i],
              fw.stunde[i],
              true,
              false,
              std::nullopt,
              fw.distkm[i],
              fw.versatzkm[i],
              bearingOf(fw.richtgrad[i]),
              fw.sektorgrad[i],
              bk.Bdezbk[i],
              bk.Ldezbk[i],
              bk.Ybk[i]};
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

void roundTrips(std::span<const double> latitudes, std::span<const double> longitudes, std::span<RoundTripPoint> out) {
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
