// The lines drawn over the sweep's map, in degrees: the hour rays, the graticule and its labels.
#pragma once

#include <string>
#include <vector>

namespace qvcode::map {

struct LonLat {
  double longitude, latitude;  // degrees
};

// A line on the map as points in degrees.  Longitudes run on without a jump
// (they may pass ±180), so that the line can be drawn shifted by whole turns.
using Polyline = std::vector<LonLat>;

// The ray of the reference point at `bearing` degrees clockwise from north:
// the half great circle from the reference point to its antipode, sampled
// every quarter degree of arc.  Where it passes over a pole its longitude
// turns by 180°, and the line is split there.
std::vector<Polyline> hourRay(double bearing);

// The point `distance` degrees of arc from the reference point along
// `bearing`, its longitude unwrapped from the reference point's.
LonLat alongRay(double bearing, double distance);

// The spacing of the graticule for `span` degrees across `pixels`: the
// smallest of 1′, 2′, 5′, 10′, 15′, 30′, 1°, 2°, 5°, 10°, 15°, 30°, 45°, 90°
// that leaves at least `minimumGap` pixels between two lines.
double graticuleSpacing(double span, int pixels, int minimumGap);

// The multiples of `spacing` from `low` to `high`, both included.
std::vector<double> graticuleLines(double low, double high, double spacing);

// "30°N", "0°", "48°30′S", in whole minutes; a longitude is brought into
// (−180, 180] first ("160°W" for 200).
std::string latitudeLabel(double latitude);
std::string longitudeLabel(double longitude);

}  // namespace qvcode::map
