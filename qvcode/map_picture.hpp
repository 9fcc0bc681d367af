// The sweep's map as plain data, handed from qvcode to the module that draws it, and the map's colours.
#pragma once
//
// qvcode gathers the map while the sweep runs and knows no toolkit; the module
// qvcode-map.so draws and writes the picture with QtGui and is loaded only
// when a map is asked for, so that a sweep without one loads no toolkit.

#include <array>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace qvcode {

// The swept area in degrees: the grid's outermost points and half a step
// beyond them, west < east and south < north.  Longitudes may pass ±180 as
// the grid does; latitudes may pass ±90 as typed bounds do.
struct MapArea {
  double west, east, south, north;
};

// One pixel of the map: the cases whose cells cover it, summed up so that a
// fragile case never disappears when many cases share a pixel.
struct MapPixel {
  // The largest round-trip difference in seconds of arc; negative while no
  // case covers the pixel, infinite where the difference could not be computed.
  float difference = -1;
  bool errorCase = false;      // one of the cases is an error case
  bool inverseRaised = false;  // one of the cases' inverse raised
};

struct MapPicture {
  int width = 0, height = 0;  // of the map area, in pixels
  // The whole picture's size where one was asked for: the map area is then
  // that less the room around it (map_layout.hpp).  0: as large as the map,
  // the title and the legend need.
  int pictureWidth = 0, pictureHeight = 0;
  MapArea area{};
  std::vector<MapPixel> pixels;  // row by row from the north-west corner
  // Lines above the map: what was swept and what came out.
  std::vector<std::string> title;
  // Whether the cases were judged (store-errors mode), and the tolerance in
  // seconds of arc they were judged by.
  bool judged = false;
  double toleranceSeconds = 0;
};

// The picture's georeference, stored as text in the PNG (key: value):
//   "Map area": "x y width height" of the map inside the picture, in pixels;
//   "Swept area": "west east south north" in degrees;
//   "Difference scale": "low high", the powers of ten of seconds of arc at
//   the ends of both colour ramps.
inline constexpr const char* mapAreaKey = "Map area";
inline constexpr const char* sweptAreaKey = "Swept area";
inline constexpr const char* differenceScaleKey = "Difference scale";

struct MapRgb {
  std::uint8_t red, green, blue;
  friend constexpr bool operator==(const MapRgb&, const MapRgb&) = default;
};

// The colours of the map, each kept for one meaning.
namespace map_colours {
inline constexpr MapRgb exact{255, 255, 255};     // the position came back unchanged
inline constexpr MapRgb notSwept{204, 204, 204};  // no case in this pixel
inline constexpr MapRgb hourRay{0, 0, 0};
inline constexpr MapRgb referencePoint{0, 229, 255};
inline constexpr MapRgb inverseRaised{0, 170, 0};  // a ring around the case
inline constexpr MapRgb graticule{128, 128, 128};
inline constexpr MapRgb coastline{64, 64, 64};
inline constexpr MapRgb frame{255, 255, 255};
inline constexpr MapRgb text{32, 32, 32};
}  // namespace map_colours

// Two ramps of one logarithmic scale, light for small differences and dark
// for large ones: blues for cases within the tolerance (or not judged),
// yellow to red for error cases, so that an error case never looks like one
// that passed.
inline constexpr std::array<MapRgb, 8> withinRamp = {{
    {222, 235, 247},
    {198, 219, 239},
    {158, 202, 225},
    {107, 174, 214},
    {66, 146, 198},
    {33, 113, 181},
    {8, 81, 156},
    {8, 48, 107},
}};
inline constexpr std::array<MapRgb, 8> errorRamp = {{
    {255, 237, 160},
    {254, 217, 118},
    {254, 178, 76},
    {253, 141, 60},
    {252, 78, 42},
    {227, 26, 28},
    {189, 0, 38},
    {128, 0, 38},
}};

// The colour at `t` along a ramp, 0 (its light end) to 1 (its dark end),
// interpolated between its stops; outside 0..1 the nearer end.
inline MapRgb rampColour(const std::array<MapRgb, 8>& ramp, double t) {
  if (!(t > 0)) return ramp.front();
  if (t >= 1) return ramp.back();
  const double at = t * static_cast<double>(ramp.size() - 1);
  const auto i = static_cast<std::size_t>(at);
  const double f = at - static_cast<double>(i);
  const auto mix = [f](std::uint8_t a, std::uint8_t b) {
    return static_cast<std::uint8_t>(std::lround(a + (b - a) * f));
  };
  const MapRgb& a = ramp[i];
  const MapRgb& b = ramp[i + 1];
  return {mix(a.red, b.red), mix(a.green, b.green), mix(a.blue, b.blue)};
}

// Where a difference lies on the scale from 10^low to 10^high seconds of arc.
inline double scalePosition(double seconds, int low, int high) { return (std::log10(seconds) - low) / (high - low); }

// The colour of a pixel's cases on the scale from 10^low to 10^high seconds.
inline MapRgb pixelColour(const MapPixel& p, int low, int high) {
  if (p.difference < 0) return map_colours::notSwept;
  if (p.difference == 0 && !p.errorCase) return map_colours::exact;
  const double t = p.difference == 0 ? 0 : scalePosition(p.difference, low, high);
  return rampColour(p.errorCase ? errorRamp : withinRamp, t);
}

// Draws `picture` and encodes it as PNG into `png`; answers an empty text
// when done, else what went wrong.  The module only draws: qvcode writes the
// file itself, whole or not at all.  The module exports `qvcodeMapWriter()`,
// which returns it.
using DrawMapFunction = std::string (*)(const MapPicture& picture, std::string& png);

}  // namespace qvcode
