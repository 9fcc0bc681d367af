// The batch conversions: the common path for eight points at a time, the
// single conversions for the points it marks.

#include "conversion/batch_conversion.hpp"

#include <stdexcept>

#include "conversion/detail/conversion_lanes.hpp"
#include "conversion/detail/error_mode.hpp"
#include "conversion/detail/forward.hpp"

namespace qv {
namespace {

EncodedPoint encodeOne(double latitude, double longitude) {
  EncodedPoint p;
  try {
    CaseValues v;
    ErrorMode mode;
    forwardConversion(latitude, longitude, p.hour, v, mode);
    p.latitude = latitude;
    p.longitude = longitude;
    p.offsetKm = v.versatzkm;
    p.distanceKm = v.distkm;
    p.bearingDegrees = bearingOf(v.richtgrad);
    p.sectorAngleDegrees = v.sektorgrad;
  } catch (const RuntimeError& e) {
    p = EncodedPoint{};
    p.error = e.kind();
  }
  return p;
}

DecodedPoint decodeOne(const CodeValues& code) {
  DecodedPoint p;
  try {
    p.position = positionOf(code);
  } catch (const RuntimeError& e) {
    p.error = e.kind();
  }
  return p;
}

}  // namespace

void encodeMany(std::span<const double> latitudes, std::span<const double> longitudes, std::span<EncodedPoint> out,
                PositionRange range) {
  if (longitudes.size() != latitudes.size() || out.size() != latitudes.size())
    throw std::invalid_argument("encodeMany: latitudes, longitudes and results of different lengths");
  const std::size_t n = latitudes.size();
  // The positions as taken, where one of a group of lanes changes or is
  // refused; a refused lane converts 0, 0 in its place, and its result is
  // dropped.
  double takenLat[laneCount], takenLon[laneCount];
  bool refused[laneCount];
  const auto take = [&](std::size_t from, std::size_t count) {
    bool changed = false;
    for (std::size_t i = 0; i < count; ++i) {
      takenLat[i] = latitudes[from + i];
      takenLon[i] = longitudes[from + i];
      refused[i] = range == PositionRange::asMeant && !takeAsMeant(takenLat[i], takenLon[i]);
      if (refused[i]) takenLat[i] = takenLon[i] = 0;
      changed = changed || refused[i] || takenLon[i] != longitudes[from + i];
    }
    return changed;
  };
  EncodedPoint refusedPoint;
  refusedPoint.refused = true;
  std::size_t at = 0;
  for (; at + laneCount <= n; at += laneCount) {
    const bool changed = take(at, laneCount);
    const double* lat = changed ? takenLat : latitudes.data() + at;
    const double* lon = changed ? takenLon : longitudes.data() + at;
    MarkFaults<laneCount> f;
    const ForwardLanes<laneCount> fw = forwardLanes(lat, lon, f);
    for (std::size_t i = 0; i < laneCount; ++i) {
      if (changed && refused[i])
        out[at + i] = refusedPoint;
      else
        out[at + i] = f.isMarked(i)
                          ? encodeOne(lat[i], lon[i])
                          : EncodedPoint{false,           std::nullopt,    fw.Bdez[i],   fw.Ldez[i],
                                         fw.stunde[i],    fw.versatzkm[i], fw.distkm[i], bearingOf(fw.richtgrad[i]),
                                         fw.sektorgrad[i]};
    }
  }
  const std::size_t rest = n - at;
  take(at, rest);
  for (std::size_t i = 0; i < rest; ++i) out[at + i] = refused[i] ? refusedPoint : encodeOne(takenLat[i], takenLon[i]);
}

void decodeMany(std::span<const CodeValues> codes, std::span<DecodedPoint> out) {
  if (out.size() != codes.size()) throw std::invalid_argument("decodeMany: codes and results of different lengths");
  const std::size_t n = codes.size();
  std::size_t at = 0;
  for (; at + laneCount <= n; at += laneCount) {
    MarkFaults<laneCount> f;
    Lanes<laneCount> distkm, versatzkm;
    std::int16_t stunde[laneCount];
    for (std::size_t i = 0; i < laneCount; ++i) {
      const CodeValues& c = codes[at + i];
      stunde[i] = c.hour;
      distkm[i] = c.distanceKm;
      versatzkm[i] = offsetWithinReach(c.offsetKm, c.distanceKm);
    }
    const InverseLanes<laneCount> bk = inverseLanes(stunde, distkm, versatzkm, f);
    for (std::size_t i = 0; i < laneCount; ++i)
      out[at + i] = f.isMarked(i) ? decodeOne(codes[at + i]) : DecodedPoint{std::nullopt, {bk.Bdezbk[i], bk.Ldezbk[i]}};
  }
  for (; at < n; ++at) out[at] = decodeOne(codes[at]);
}

}  // namespace qv
