// The map of a sweep while it runs: every case's round-trip difference gathered into the pixels of the swept area.
#pragma once
//
// The map keeps one entry per pixel, never one per case, so its memory does
// not grow with the grid.  Where several cases share a pixel it keeps their
// largest difference and whether any was an error case or raised in its
// inverse, so the result does not depend on the order of the cases.

#include <algorithm>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "qvcode/map_layout.hpp"
#include "qvcode/map_picture.hpp"
#include "sweep/observer.hpp"

namespace qvcode {

struct MapSize {
  int width, height;  // pixels
};

// The map area is never narrower nor lower than this: a single column or
// row would be a line too thin to see.
inline constexpr int minimumMapSide = 16;

// The sizes of the whole picture that --map-size accepts: from the one that
// holds the legend and a map of minimumMapSide (820 × 274) to maximumMapSide
// a side.
inline constexpr MapSize smallestPicture = {std::max(map_layout::legendWidth, map_layout::besideMap + minimumMapSide),
                                            map_layout::aroundMap + minimumMapSide};
inline constexpr int maximumMapSide = 4096;

// "WIDTHxHEIGHT" in whole numbers of pixels, from smallestPicture to
// maximumMapSide ("1200x700"); nothing for any other text.
std::optional<MapSize> parseMapSize(std::string_view text);

// The map area of a picture of `picture`'s size, once the title, the
// graticule's labels and the legend have their room.
constexpr MapSize mapAreaIn(MapSize picture) {
  return {picture.width - map_layout::besideMap, picture.height - map_layout::aroundMap};
}

// The grid as the sweep walks it, in degrees: its bounds as the boxes hold
// them once the sweep has settled them (north ≥ south, east ≥ west) and the
// magnitudes of its steps.
struct MapGrid {
  double north, south, latitudeStep;
  double east, west, longitudeStep;
};

// Half a step beyond the grid's outermost points, so that every grid point
// has a cell of one step around it.  An area that would be empty or not
// finite (a step below the bounds' precision, an overflowing bound) becomes
// one degree around the grid's north-east corner, as far as that is finite.
MapArea areaAround(const MapGrid& grid);

// One pixel per grid point; a grid larger than 2048 × 1024 points is scaled
// down to fit, and one smaller than 720 × 360 enlarged by the largest whole
// factor that keeps it within.  Never below minimumMapSide on a side.
MapSize defaultMapSize(const MapGrid& grid);

// The largest round-trip difference of the sweep and the case it came from.
struct LargestDifference {
  double seconds = -1;  // of arc; negative while no case has run
  double latitude = 0, longitude = 0;
};

class SweepMap {
 public:
  // `size` of the map area, or none for defaultMapSize.  `grid` is asked
  // once, when the first case arrives (or the picture is taken without any):
  // by then the sweep has settled its boxes.
  SweepMap(std::optional<MapSize> size, std::function<MapGrid()> grid);

  // Cases that ran to their ends, in sweep order.  A case's difference is
  // the larger of its latitude and longitude differences; one that is NaN
  // counts as infinite.
  void add(std::span<const qvsweep::SweptCase> cases);

  std::int64_t inverseRaised() const noexcept { return inverseRaised_; }
  const LargestDifference& largest() const noexcept { return largest_; }

  // The map so far, with the lines of its title and how it was judged.
  MapPicture picture(std::vector<std::string> title, bool judged, double toleranceSeconds);

 private:
  void start();
  void addCase(const qvsweep::SweptCase& c);

  std::optional<MapSize> size_;
  std::function<MapGrid()> grid_;
  bool started_ = false;
  MapArea area_{};
  int width_ = 0, height_ = 0;
  double xPerDegree_ = 0, yPerDegree_ = 0;
  double halfCellX_ = 0, halfCellY_ = 0;  // half a step, in pixels
  // Column by column from the north-west corner, as the sweep walks its
  // grid: consecutive cases touch neighbouring entries.
  std::vector<MapPixel> pixels_;
  std::int64_t inverseRaised_ = 0;
  LargestDifference largest_;
};

}  // namespace qvcode
