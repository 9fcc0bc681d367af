// The page's answer for one line or one clicked point, as one JSON object
// under the field names of `qvcode encode --json` and `decode --json`:
//
//   a position  {"kind":"position","latitudeGiven","longitudeGiven",
//               "latitude","longitude" (as converted: whole turns of the
//               longitude taken off),"hour","distanceKm","offsetKm",
//               "bearingDegrees","sectorAngleDegrees","code",
//               "preciseCode" (with decimals)}
//   a code      {"kind":"code","code","hour","offsetKm","distanceKm",
//               "farthestKm" (null where it cannot be found),"latitude",
//               "longitude"}
//   a failure   {"error":"<reason>"}, the reason in the page's words
//               (page_lines.hpp); blank and comment lines are failures here,
//               a single entry being neither position nor code.
//
// `decimals` is -1 for code texts or 0..6 for precise codes.
#pragma once

#include <string>
#include <string_view>

namespace web {

std::string answerOfLine(std::string_view line, int decimals);

// A point given as numbers, as a click on the map gives it, taken as every
// edge that takes numbers from people takes them (qv::takePosition).
std::string answerOfPoint(double latitude, double longitude, int decimals);

}  // namespace web
