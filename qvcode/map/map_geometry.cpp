// Hour rays on the sphere and the graticule of the sweep's map.
#include "qvcode/map/map_geometry.hpp"

#include <array>
#include <cmath>

#include "conversion/detail/reference_point.hpp"

namespace qvcode::map {
namespace {

constexpr double degree = 0.017453292519943295;  // π / 180; drawing only, no result depends on it

std::string angleLabel(double value, const char* positive, const char* negative) {
  const long minutes = std::lround(std::fabs(value) * 60);
  std::string label = std::to_string(minutes / 60) + "\u00b0";
  if (minutes % 60 != 0) label += std::to_string(minutes % 60) + "\u2032";
  if (minutes != 0) label += value > 0 ? positive : negative;
  return label;
}

}  // namespace

LonLat alongRay(double bearing, double distance) {
  const double lat0 = qv::referenceLatitude() * degree;
  const double b = bearing * degree;
  const double d = distance * degree;
  const double sinLat = std::sin(lat0) * std::cos(d) + std::cos(lat0) * std::sin(d) * std::cos(b);
  const double lat = std::asin(std::fmax(-1.0, std::fmin(1.0, sinLat)));
  const double dLon = std::atan2(std::sin(b) * std::sin(d) * std::cos(lat0), std::cos(d) - std::sin(lat0) * sinLat);
  return {qv::referenceLongitude() + dLon / degree, lat / degree};
}

std::vector<Polyline> hourRay(double bearing) {
  std::vector<Polyline> parts(1);
  for (int i = 0; i <= 720; ++i) {
    const LonLat p = alongRay(bearing, i * 0.25);
    // A quarter degree of arc moves the longitude far only across a pole.
    if (!parts.back().empty() && std::fabs(p.longitude - parts.back().back().longitude) > 10) parts.emplace_back();
    parts.back().push_back(p);
  }
  return parts;
}

double graticuleSpacing(double span, int pixels, int minimumGap) {
  static constexpr std::array<double, 14> spacings = {1.0 / 60, 2.0 / 60, 5.0 / 60, 10.0 / 60, 15.0 / 60, 0.5, 1,
                                                      2,        5,        10,       15,        30,        45,  90};
  for (double s : spacings)
    if (pixels * s / span >= minimumGap) return s;
  return spacings.back();
}

std::vector<double> graticuleLines(double low, double high, double spacing) {
  std::vector<double> lines;
  for (double k = std::ceil(low / spacing); k * spacing <= high && lines.size() < 1000; ++k)
    lines.push_back(k * spacing);
  return lines;
}

std::string latitudeLabel(double latitude) { return angleLabel(latitude, "N", "S"); }

std::string longitudeLabel(double longitude) {
  double l = std::fmod(longitude, 360.0);
  if (l > 180) l -= 360;
  if (l <= -180) l += 360;
  // The antimeridian is neither east nor west.
  if (std::lround(l * 60) == 180 * 60) return "180\u00b0";
  return angleLabel(l, "E", "W");
}

}  // namespace qvcode::map
