// Many codes and many positions at once: the forward conversion of many
// points, and the inverse of many codes, several in flight together as in
// the batch round trip (round_trip.hpp).  Every result has the bits that the
// single conversion gives it (encode and positionOf, conversion.hpp and
// code_reader.hpp); where that raises, the point holds its error instead.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "conversion/code_reader.hpp"
#include "conversion/position_reader.hpp"
#include "conversion/runtime_error.hpp"

namespace qv {

struct EncodedPoint {
  // A position that encodeMany does not take (takePosition, asMeant): a
  // latitude outside -90..90 or a number that is not finite; then nothing
  // else is set.
  bool refused = false;
  std::optional<ErrorKind> error;  // the forward conversion's; then nothing else is set
  // The position coded: taken as the range says, then adjusted by the
  // conversion (90 becomes 89.9), in degrees.
  double latitude = 0, longitude = 0;
  std::int16_t hour = 0;                // 1..12
  double offsetKm = 0, distanceKm = 0;  // full precision, before the text's rounding
  // Clockwise from north in [0, 360), and past the hour's ray, 0..30.
  double bearingDegrees = 0, sectorAngleDegrees = 0;
};

// The codes of latitudes[i], longitudes[i] (degrees) into out[i], each as
// encode(latitudes[i], longitudes[i], range) gives it: taken as meant (a
// refused position is marked `refused`) or as the sweep takes them, then
// adjusted as the forward conversion adjusts them.  Throws
// std::invalid_argument, before writing anything, for spans of different
// lengths.
void encodeMany(std::span<const double> latitudes, std::span<const double> longitudes, std::span<EncodedPoint> out,
                PositionRange range = PositionRange::asMeant);

struct DecodedPoint {
  std::optional<ErrorKind> error;  // the inverse conversion's; then nothing else is set
  Position position;
};

// The positions of codes[i] into out[i], as positionOf gives them.  Throws
// std::invalid_argument, before writing anything, for spans of different
// lengths.
void decodeMany(std::span<const CodeValues> codes, std::span<DecodedPoint> out);

}  // namespace qv
