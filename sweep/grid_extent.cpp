// What a grid holds before any case runs: about how many cases, and the
// latitudes each column visits.

#include <cmath>
#include <exception>

#include "conversion/detail/forward.hpp"
#include "sweep/detail/grid_walk.hpp"
#include "sweep/sweep.hpp"

namespace qvsweep {

double estimatedCases(const SweepSettings& s) {
  const auto along = [](double from, double to, double stepMinutes) {
    if (stepMinutes == 0) return 0.0;
    // A positive step walks down, a negative one up.
    const double span = stepMinutes > 0 ? from - to : to - from;
    return span < 0 ? 0.0 : std::floor(span / std::fabs(stepMinutes / 60)) + 1;
  };
  return along(s.latitudeFrom, s.latitudeTo, s.latitudeStep) * along(s.longitudeFrom, s.longitudeTo, s.longitudeStep);
}

std::optional<ColumnLatitudes> columnLatitudes(const SweepSettings& settings, std::int64_t most) {
  if (settings.latitudeStep == 0) return std::nullopt;
  LoopBounds loop;
  try {
    loop = latitudeLoop(settings);
  } catch (const std::exception&) {
    return std::nullopt;
  }
  ColumnLatitudes l;
  ColumnWalk walk(settings.longitudeFrom, loop);
  try {
    while (walk.atCase()) {
      if (l.count == most) return std::nullopt;
      double B = walk.latitude, L = walk.longitude;
      qv::adjustInput(B, L);
      if (l.count++ == 0) l.first = B;
      l.last = B;
      walk.next(B, L);
    }
  } catch (const std::exception&) {
    // The sweep stops at this case, which it has counted.
  }
  return l;
}

}  // namespace qvsweep
