// One position taken to its code and back, in numbers: one at a time, or
// many at once with several points in flight.
//
// In: latitude and longitude in decimal degrees, taken as they are (the
// sweep's reading; see takePosition in position_reader.hpp for the rule of
// the other edges), then adjusted as the forward conversion adjusts them (a
// longitude of exactly -180 becomes -179.999999, one above 180 becomes 180;
// a latitude at or below -90 becomes -89.9, exactly 90 becomes 89.9).  Out:
// the position used, its code's numbers, the position back and whether the
// case ran into skip-on-error mode.  The reference point comes back as
// itself.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "conversion/runtime_error.hpp"

namespace qv {

// The numbers of one round trip.
struct RoundTripPoint {
  double latitude = 0, longitude = 0;  // degrees, after the input adjustment
  std::int16_t hour = 0;               // 1..12
  bool skipOnError = false;
  // A step or test of the inverse raised and was abandoned in skip-on-error
  // mode, so the position back may rest on a kept value.
  bool inverseRaised = false;
  // The run-time error that ended the round trip (skip-on-error mode off);
  // then nothing else here is set.
  std::optional<ErrorKind> error;
  double distanceKm = 0, offsetKm = 0;  // full precision, before the text's rounding
  // The bearing from the reference point, clockwise from north in [0, 360),
  // and how far past its hour's ray it lies, 0..30 (the hour's sector holds
  // the bearings from 30·hour to 30·hour + 30, mod 360).
  double bearingDegrees = 0, sectorAngleDegrees = 0;
  // The position back in degrees; empty where its step was skipped.
  std::optional<double> latitudeBack, longitudeBack;
  // The point back's component towards 90° W on the unit sphere: positive
  // exactly where the longitude back is western.
  double westComponentBack = 0;
};

// The round trips of latitudes[i], longitudes[i] into out[i].  Several
// points are kept in flight at once, each through the same operations in the
// same order as one round trip alone, so every result has the bits of that;
// where it raises, out[i].error holds its error.  Throws
// std::invalid_argument, before writing anything, for spans of different
// lengths.
void roundTrips(std::span<const double> latitudes, std::span<const double> longitudes, std::span<RoundTripPoint> out);

}  // namespace qv
