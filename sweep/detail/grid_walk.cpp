// The grid walk's loop arithmetic and its guards against endless loops.

#include "sweep/detail/grid_walk.hpp"

#include <stdexcept>
#include <string>

#include "conversion/detail/checked_math.hpp"
#include "conversion/detail/forward.hpp"
#include "conversion/number_text.hpp"

namespace qvsweep {

double stepInDegrees(double minutes) { return -qv::checked(minutes / 60); }

LoopBounds latitudeLoop(const SweepSettings& s) {
  return {s.latitudeFrom, s.latitudeTo, stepInDegrees(s.latitudeStep)};
}

LoopBounds longitudeLoop(const SweepSettings& s) {
  return {s.longitudeFrom, s.longitudeTo, stepInDegrees(s.longitudeStep)};
}

void ensureOnward(const char* loop, double tested, double next, double step) {
  if (step < 0 ? next < tested : next > tested) return;
  throw std::runtime_error(std::string("The ") + loop + " does not move on: after " + qv::plainNumberText(tested) +
                           " its next value is " + qv::plainNumberText(next) + " with a step of " +
                           qv::plainNumberText(step) + " degrees, so the sweep would repeat cases without end");
}

void ColumnWalk::next(double adjustedLatitude, double adjustedLongitude) {
  const double tested = latitude;
  latitude = adjustedLatitude;
  longitude = adjustedLongitude;
  // The input adjustment moves a latitude at or below -90 up to -89.9: going
  // on from there would walk latitudes already passed, and for ever when the
  // step does not carry the value past the southern bound.
  if (latitude > tested) {
    ended_ = true;
    return;
  }
  // Repeated addition: the drift of steps that are no binary fractions is
  // part of the grid.
  latitude = qv::checked(latitude + loop_.step);
  ensureOnward("latitude", tested, latitude, loop_.step);
}

namespace {

// Whether the latitudes of a column end in an error (an overflow, a step
// that does not move on) rather than past their bound.
bool latitudeWalkStops(const LoopBounds& latitude) {
  ColumnWalk walk(0, latitude);
  try {
    while (walk.atCase()) {
      double B = walk.latitude, L = walk.longitude;
      qv::adjustInput(B, L);
      walk.next(B, L);
    }
  } catch (const std::exception&) {
    return true;
  }
  return false;
}

// Moves `L`, the longitude the first case of the column from `columnStart`
// left, on to the next column's.  Raises where the sum overflows (L as it
// was) or does not move on (L moved, as the loop leaves it).
void stepColumn(double& L, double columnStart, const LoopBounds& longitude) {
  L = qv::checked(L + longitude.step);
  ensureOnward("longitude", columnStart, L, longitude.step);
}

// The longitude the first case of a column leaves, if the column has one.
double afterFirstCase(double longitude, const LoopBounds& latitude) {
  if (!latitude.continues(latitude.start)) return longitude;
  double B = latitude.start;
  qv::adjustInput(B, longitude);
  return longitude;
}

}  // namespace

std::size_t columnCount(const LoopBounds& longitude, const LoopBounds& latitude) {
  const bool hasCases = latitude.continues(latitude.start);
  if (hasCases && latitudeWalkStops(latitude)) return longitude.continues(longitude.start) ? 1 : 0;
  std::size_t n = 0;
  double L = longitude.start;
  while (longitude.continues(L)) {
    ++n;
    const double tested = L;
    L = afterFirstCase(L, latitude);
    try {
      stepColumn(L, tested, longitude);
    } catch (const std::exception&) {
      break;
    }
  }
  return n;
}

void SweepPlan::nextColumn() {
  column_.reset();
  ++columnIndex_;
  stepColumn(longitude, columnStartLongitude_, longitude_);
}

bool SweepPlan::next(SweepPart& part, std::size_t maxCases) {
  part.points.clear();
  part.stop = nullptr;
  if (stopped_) return false;
  while (true) {
    try {
      if (!column_) {
        if (columnIndex_ >= range_.end || !longitude_.continues(longitude)) return false;
        columnStartLongitude_ = longitude;
        if (columnIndex_ < range_.first) {
          longitude = afterFirstCase(longitude, latitude_);
          nextColumn();
          continue;
        }
        column_.emplace(longitude, latitude_);
        indexInColumn_ = 0;
      }
      ColumnWalk& walk = *column_;
      part.firstIndexInColumn = indexInColumn_;
      part.columnStart = indexInColumn_ == 0;
      while (walk.atCase() && part.points.size() < maxCases) {
        part.points.push_back({walk.latitude, walk.longitude});
        double B = walk.latitude, L = walk.longitude;
        qv::adjustInput(B, L);
        ++indexInColumn_;
        walk.next(B, L);
      }
      latitude = walk.latitude;
      longitude = walk.longitude;
      if (walk.atCase()) break;
      // The column is done: the next one, from the longitude its first case
      // left.
      nextColumn();
    } catch (...) {
      part.stop = std::current_exception();
      stopped_ = true;
      if (column_) {
        latitude = column_->latitude;
        longitude = column_->longitude;
      }
      break;
    }
    if (!part.points.empty()) break;
  }
  part.endLatitude = latitude.value_or(0);
  part.endLongitude = longitude;
  return true;
}

}  // namespace qvsweep
