// The world's coastlines for the sweep's map: GSHHG's shorelines, read by the GMT library.
#pragma once
//
// GSHHG is the shoreline database of the Generic Mapping Tools (Debian's
// gmt-gshhg-low: crude, low and intermediate resolution); GMT's own `coast`
// module reads its binned files and hands the lines over in memory.  A map
// without them still has its graticule, so a failure here is no failure of
// the map: it says so in its legend.

#include <string>
#include <vector>

#include "qvcode/map/map_geometry.hpp"
#include "qvcode/map_picture.hpp"

namespace qvcode::map {

struct Coastlines {
  std::vector<Polyline> lines;  // longitudes unwrapped along each line
  std::string source;           // for the legend, e.g. "GSHHG crude resolution, read by GMT"
  std::string problem;          // why there are none; empty when read
};

// The shorelines of land (lakes left out) in `area`, at the resolution that
// suits `degreesPerPixel`: crude (25 km) from 0.2° a pixel, low (5 km) from
// 0.04°, intermediate (1 km) below.  An area wider than a whole turn gets the
// whole world, to be repeated every 360°.
Coastlines readCoastlines(const MapArea& area, double degreesPerPixel);

}  // namespace qvcode::map
