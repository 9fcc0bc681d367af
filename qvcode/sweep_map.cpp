// The sweep's map while it runs: cases into pixels, the area and size of the map.
#include "qvcode/sweep_map.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <utility>

namespace qvcode {
namespace {

constexpr double infinity = std::numeric_limits<double>::infinity();

bool usable(double low, double high) { return std::isfinite(low) && std::isfinite(high - low) && high > low; }

// One degree around `corner`, or around 0 where that is no span either.
void settle(double& low, double& high, double corner) {
  if (usable(low, high)) return;
  low = corner - 0.5;
  high = corner + 0.5;
  if (usable(low, high)) return;
  low = -0.5;
  high = 0.5;
}

// The pixels [first, last) whose centres lie in the cell from centre − half
// to centre + half; a cell narrower than a pixel takes the pixel it lies in.
// Clipped to 0..count.
std::pair<int, int> pixelSpan(double centre, double half, int count) {
  if (!std::isfinite(centre)) return {0, 0};
  double first = std::ceil(centre - half - 0.5);
  double last = std::ceil(centre + half - 0.5);
  if (!(last > first)) {
    first = std::floor(centre);
    last = first + 1;
  }
  const double n = count;
  return {static_cast<int>(std::clamp(first, 0.0, n)), static_cast<int>(std::clamp(last, 0.0, n))};
}

// Grid points along one side of the area, at least one.
double pointsAlong(double low, double high, double step) {
  const double n = (high - low) / step;
  return std::isfinite(n) && n >= 1 ? n : 1;
}

// A map narrower than the smallest side (a single column or row) would be a
// line too thin to see.
int side(double pixels) {
  return static_cast<int>(std::clamp(std::round(pixels), double(minimumMapSide), double(maximumMapSide)));
}

}  // namespace

std::optional<MapSize> parseMapSize(std::string_view text) {
  const std::size_t x = text.find('x');
  if (x == std::string_view::npos) return std::nullopt;
  const auto number = [](std::string_view t, int& v, int least) {
    const auto r = std::from_chars(t.data(), t.data() + t.size(), v);
    return !t.empty() && r.ec == std::errc() && r.ptr == t.data() + t.size() && v >= least && v <= maximumMapSide;
  };
  MapSize s{};
  if (!number(text.substr(0, x), s.width, smallestPicture.width) ||
      !number(text.substr(x + 1), s.height, smallestPicture.height))
    return std::nullopt;
  return s;
}

MapArea areaAround(const MapGrid& g) {
  MapArea a{g.west - g.longitudeStep / 2, g.east + g.longitudeStep / 2, g.south - g.latitudeStep / 2,
            g.north + g.latitudeStep / 2};
  settle(a.west, a.east, g.east);
  settle(a.south, a.north, g.north);
  return a;
}

MapSize defaultMapSize(const MapGrid& g) {
  const MapArea a = areaAround(g);
  const double columns = pointsAlong(a.west, a.east, g.longitudeStep);
  const double rows = pointsAlong(a.south, a.north, g.latitudeStep);
  const double down = std::min({1.0, 2048 / columns, 1024 / rows});
  if (down < 1) return {side(columns * down), side(rows * down)};
  const double up = std::max(1.0, std::floor(std::min(720 / std::round(columns), 360 / std::round(rows))));
  return {side(std::round(columns) * up), side(std::round(rows) * up)};
}

SweepMap::SweepMap(std::optional<MapSize> size, std::function<MapGrid()> grid) : size_(size), grid_(std::move(grid)) {}

void SweepMap::start() {
  started_ = true;
  const MapGrid g = grid_();
  area_ = areaAround(g);
  const MapSize s = size_ ? *size_ : defaultMapSize(g);
  width_ = s.width;
  height_ = s.height;
  xPerDegree_ = width_ / (area_.east - area_.west);
  yPerDegree_ = height_ / (area_.north - area_.south);
  const auto half = [](double step, double perDegree) {
    const double h = step / 2 * perDegree;
    return std::isfinite(h) ? h : 0.0;
  };
  halfCellX_ = half(g.longitudeStep, xPerDegree_);
  halfCellY_ = half(g.latitudeStep, yPerDegree_);
  pixels_.assign(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), MapPixel{});
}

void SweepMap::add(std::span<const qvsweep::SweptCase> cases) {
  if (cases.empty()) return;
  if (!started_) start();
  for (const qvsweep::SweptCase& c : cases) addCase(c);
}

void SweepMap::addCase(const qvsweep::SweptCase& c) {
  if (c.inverseRaised) ++inverseRaised_;
  const double seconds = std::isnan(c.latitudeDifference) || std::isnan(c.longitudeDifference)
                             ? infinity
                             : std::max(c.latitudeDifference, c.longitudeDifference) * 3600;
  if (seconds > largest_.seconds) largest_ = {seconds, c.latitude, c.longitude};
  const float stored = seconds > std::numeric_limits<float>::max() ? std::numeric_limits<float>::infinity()
                                                                   : static_cast<float>(seconds);

  const auto [x0, x1] = pixelSpan((c.longitude - area_.west) * xPerDegree_, halfCellX_, width_);
  const auto [y0, y1] = pixelSpan((area_.north - c.latitude) * yPerDegree_, halfCellY_, height_);
  for (int x = x0; x < x1; ++x) {
    MapPixel* column = pixels_.data() + static_cast<std::size_t>(x) * static_cast<std::size_t>(height_);
    for (int y = y0; y < y1; ++y) {
      MapPixel& p = column[y];
      p.difference = std::max(p.difference, stored);
      p.errorCase = p.errorCase || c.errorCase;
      p.inverseRaised = p.inverseRaised || c.inverseRaised;
    }
  }
}

MapPicture SweepMap::picture(std::vector<std::string> title, bool judged, double toleranceSeconds) {
  if (!started_) start();
  MapPicture p;
  p.width = width_;
  p.height = height_;
  p.area = area_;
  p.pixels.resize(pixels_.size());
  for (std::size_t x = 0; x < static_cast<std::size_t>(width_); ++x)
    for (std::size_t y = 0; y < static_cast<std::size_t>(height_); ++y)
      p.pixels[y * static_cast<std::size_t>(width_) + x] = pixels_[x * static_cast<std::size_t>(height_) + y];
  p.title = std::move(title);
  p.judged = judged;
  p.toleranceSeconds = toleranceSeconds;
  return p;
}

}  // namespace qvcode
