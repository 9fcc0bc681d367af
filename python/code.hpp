// quorvel.Code: the code of one position under the names of
// `qvcode encode --json`; immutable, compared field by field, hashable and
// picklable.
#pragma once

#include <pybind11/pybind11.h>

#include <optional>
#include <string>

namespace quorvel {

struct Code {
  std::string code;                        // "m11:6.6 r236.8"
  std::optional<std::string> preciseCode;  // with precision=N: "m11:6.643 r236.780"
  int hour = 0;                            // 1..12
  double distanceKm = 0, offsetKm = 0;     // full precision, before the text's rounding
  double bearingDegrees = 0;               // clockwise from north, [0, 360)
  double sectorAngleDegrees = 0;           // past the hour's ray, 0..30
  bool operator==(const Code&) const = default;
};

// The code of a position in decimal degrees, as qv::encode takes it (a
// latitude outside -90..90 or a number that is not finite raises
// PositionError; a longitude loses whole turns); `decimals` 0..6 adds the
// precise code, -1 none.  Raises ConversionError where a step fails.
Code codeOf(double latitude, double longitude, int decimals);

void addCode(pybind11::module_& m);

}  // namespace quorvel
