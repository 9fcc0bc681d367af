// The conversion for programs outside this project: a position to its
// Quorvel code, and a code text back to a position.  Installed as
// <quorvel/conversion.hpp> with the CMake package Quorvel (target
// Quorvel::conversion).
//
// Units and ranges:
//   latitude, longitude  decimal degrees, north and east positive.  encode
//                        takes them as meant: a latitude outside -90..90 or
//                        a number that is not finite raises PositionError,
//                        a longitude outside -180..180 loses whole turns
//                        (350 is -10).  PositionRange::asSweep takes them as
//                        the sweep does instead, as they are.  Then the
//                        conversion adjusts them: a longitude of exactly -180
//                        becomes -179.999999, one above 180 becomes 180; a
//                        latitude at or below -90 becomes -89.9, exactly 90
//                        becomes 89.9.  decode gives -90..90 and (-180, 180].
//   hour                 1..12, the clock hour of the bearing's 30° sector
//                        seen from 48°8′13″ N, 11°34′31″ E (12 north,
//                        clockwise); the reference point itself is hour 5.
//   distanceKm           the great-circle distance, 0..20012.4 km at
//                        111.18 km to a degree of arc.
//   offsetKm             the distance from the hour's ray, 0 up to what a
//                        point that far away can have at its sector's border.
//   text                 "m11:6.6 r236.8": the hour, then offset and
//                        distance with the whole part truncated and the
//                        tenth from the value rounded half-even to tenths
//                        (523.96 km is "523"), no ".0".
// Results are bit for bit the same on every machine: the library computes in
// IEEE double precision in a fixed order of operations.
//
// Failures: qv::PositionError (an std::invalid_argument) names a number that
// is no position (a latitude of 95, NaN); qv::RuntimeError carries the
// Automation error number of the step that failed (6 Overflow for a latitude
// of 1e308 taken asSweep, 5 where rounding pushes an arc cosine past ±1
// within about a decimetre of the reference point or its
// antipode); qv::CodeFormatError names the field of a malformed code text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "conversion/code_reader.hpp"
#include "conversion/position_reader.hpp"
#include "conversion/runtime_error.hpp"

namespace qv {

struct Code {
  // The position coded, in degrees: as given, taken as meant (or as the
  // sweep takes it), then adjusted by the conversion (90 becomes 89.9).
  double latitude = 0, longitude = 0;
  std::int16_t hour = 0;
  double offsetKm = 0, distanceKm = 0;  // full precision, before the text's rounding
  // The bearing from the reference point, clockwise from north in [0, 360),
  // and how far past its hour's ray it lies, 0..30 degrees.
  double bearingDegrees = 0, sectorAngleDegrees = 0;
  std::string text;  // without a leading blank
};

// The forward conversion alone; it does not go back to check the code.
Code encode(double latitude, double longitude, PositionRange range = PositionRange::asMeant);

// The position of a code text, with or without its leading blank, in tenths
// ("m11:6.6 r236.8") or whole kilometres ("m11:6 r236"), by the inverse
// conversion.  A code on the hour's ray is decoded as positionOf explains.
Position decode(std::string_view text);

}  // namespace qv
