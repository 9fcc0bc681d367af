// The batch conversions: the common path for eight points at a time, the
// single conversions for the points it marks.

#include "conversion/batch_conversion.hpp"

#include <stdexcept>

#include "conversion/conversion_lanes.hpp"
#include "conversion/error_mode.hpp"
#include "conversion/forward.hpp"

namespace qv {
namespace {

EncodedPoint encodeOne(double latitude, double longitude) {
  EncodedPoint p;
  try {
    CaseValues v;
    ErrorMode mode;
    forwardConversion(latitude, longitude, p.hour, v, mode);
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

void encodeMany(std::span<const double> latitudes, std::span<const double> longitudes,
                std::span<EncodedPoint> out) {
  if (longitudes.size() != latitudes.size() || out.size() != latitudes.size())
    throw std::invalid_argument("encodeMany: latitudes, longitudes and results of different lengths");
  const std::size_t n = latitudes.size();
  std::size_t at = 0;
  for (; at + laneCount <= n; at += laneCount) {
    MarkFaults<laneCount> f;
    const ForwardLanes<laneCount> fw = forwardLanes(latitudes.data() + at, longitudes.data() + at, f);
    for (std::size_t i = 0; i < laneCount; ++i)
      out[at + i] = f.isMarked(i) ? encodeOne(latitudes[at + i], longitudes[at + i])
                                  : EncodedPoint{std::nullopt, fw.stunde[i], fw.versatzkm[i], fw.distkm[i],
                                                 bearingOf(fw.richtgrad[i]), fw.sektorgrad[i]};
  }
  for (; at < n; ++at) out[at] = encodeOne(latitudes[at], longitudes[at]);
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
