// The loop values of a sweep, as the grid walk moves them: the longitude of
// each column and the latitudes down a column, by repeated addition of the
// step from whatever value the last case left (the input adjustment may move
// a point).  The walk needs no case to run: the adjustment is a function of
// the point alone, so the sweep can lay out its cases ahead of evaluating
// them.  A loop that would repeat cases for ever stops with an error.
#pragma once

#include <cstdint>
#include <exception>
#include <optional>

#include "sweep/detail/sweep_part.hpp"
#include "sweep/settings.hpp"

namespace qvsweep {

// Both loops test their bound inclusively, downwards for a negative step
// (continue while value ≥ end), upwards otherwise.
struct LoopBounds {
  double start = 0, end = 0, step = 0;  // degrees; the step already negated from the box's minutes
  bool continues(double value) const { return step < 0 ? value >= end : value <= end; }
};

// A step typed in minutes of arc, in degrees downwards.  Raises Overflow.
double stepInDegrees(double minutes);

// The loops of a sweep's settings.  Raise Overflow.
LoopBounds latitudeLoop(const SweepSettings& settings);
LoopBounds longitudeLoop(const SweepSettings& settings);

// Raises when a loop value did not move on past the value it was tested
// with: a step below the value's precision, or an input adjustment that
// moved it back further than one step carries it.
void ensureOnward(const char* loop, double tested, double next, double step);

// The latitudes of one column.  `latitude` and `longitude` hold the loop
// values as the sweep's loops would: the point of the next case, and after
// the column the first value past its end.
class ColumnWalk {
 public:
  ColumnWalk(double columnLongitude, const LoopBounds& latitudeLoop)
      : latitude(latitudeLoop.start), longitude(columnLongitude), loop_(latitudeLoop) {}

  // Whether a case at (latitude, longitude) comes next.
  bool atCase() const { return !ended_ && loop_.continues(latitude); }
  // After that case, with its point as the input adjustment left it: a
  // latitude moved north ends the column (the pole's case is its last),
  // otherwise the step is added.  Raises where the sweep stops (overflow,
  // no progress), with `latitude` as the sweep then leaves it.
  void next(double adjustedLatitude, double adjustedLongitude);

  double latitude, longitude;

 private:
  LoopBounds loop_;
  bool ended_ = false;
};

// How many columns the sweep runs: the longitudes the outer loop reaches by
// repeated addition (each from the value the column's first case leaves),
// up to the one in or after which the sweep stops, which counts.  The
// latitudes are the same in every column, so where their walk stops, the
// first column with cases is the last.
std::size_t columnCount(const LoopBounds& longitude, const LoopBounds& latitude);

// The grid laid out in parts of consecutive cases of one column, in sweep
// order: columns from the longitude's start value, by repeated addition of
// its step to the value the column's first case left.  Only the columns of
// `range` get parts; those before it are passed over as the sweep would.
class SweepPlan {
 public:
  SweepPlan(const LoopBounds& longitudeLoop, const LoopBounds& latitudeLoop, ColumnRange range = {})
      : longitude(longitudeLoop.start), longitude_(longitudeLoop), latitude_(latitudeLoop), range_(range) {}

  // Lays out the next part, of at most `maxCases` cases; false when the
  // sweep (or its range) has no more.  A part that ends where the sweep
  // stops carries the error.
  bool next(SweepPart& part, std::size_t maxCases);

  // The loop values after the parts laid out so far; the latitude is empty
  // until a column runs.
  std::optional<double> latitude;
  double longitude;

 private:
  // The outer loop's step after a column, from the longitude its first case
  // left; raises where the sweep stops.
  void nextColumn();

  LoopBounds longitude_, latitude_;
  ColumnRange range_;
  std::size_t columnIndex_ = 0;
  std::optional<ColumnWalk> column_;
  double columnStartLongitude_ = 0;
  std::size_t indexInColumn_ = 0;
  bool stopped_ = false;
};

}  // namespace qvsweep
