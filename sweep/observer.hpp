// What watches a sweep from outside the engine: a window's counters and first-case display, the command line's progress
// bar, its map and the signals that stop it.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "conversion/round_trip_point.hpp"
#include "sweep/settings.hpp"

namespace qvsweep {

// One case that ran to its end, as the map sees it.
struct SweptCase {
  // The input position after the case's own adjustment, in degrees.
  double latitude, longitude;
  // |latitude back − latitude| and |longitude back − longitude| the short way
  // round, in degrees; NaN or infinity where the arithmetic failed.
  double latitudeDifference, longitudeDifference;
  bool errorCase;      // counted as an error case by the judgement
  bool inverseRaised;  // the inverse raised in skip-on-error mode
};

// Where a sweep has got to, after each part of it (up to 4096 cases).
struct SweepProgress {
  std::int64_t cases = 0, errors = 0;  // counted so far
  // Of the cases that ran to their ends: what a window's counters show.
  std::int64_t completedCases = 0, completedErrors = 0;
  double longitude = 0;  // the outer loop's value: the column reached
  double latitude = 0;   // the inner loop's value: how far down that column
  // The columns that the sweep runs of how many the grid has; columnsTotal
  // is 0 for a sweep of the whole grid.
  ColumnRange columns;
  std::size_t columnsTotal = 0;
};

class SweepObserver {
 public:
  virtual ~SweepObserver() = default;
  // Asked before every case, from the thread that evaluates it, and when a
  // signal breaks off a blocked open or write of the report; true stops the
  // sweep like an error: the report keeps its lines and gets no closing
  // line.
  virtual bool stopRequested() { return false; }
  // What stopped it, to begin the sweep's message.
  virtual std::string stopReason() const { return "Sweep interrupted"; }
  // The first case of the column at a longitude above 180 moved it to 180.
  virtual void eastBoundClamped() {}
  // The first case of the sweep, once it is counted.
  virtual void firstCase(const qv::RoundTripPoint&) {}
  // Whether it takes every case (asked when the sweep starts; keeping them
  // costs a little), and then the cases of each part that ran to their ends,
  // in sweep order, before the part's progress.
  virtual bool wantsCases() const { return false; }
  virtual void casesTaken(std::span<const SweptCase>) {}
  // After every part of the sweep.
  virtual void progressed(const SweepProgress&) {}
};

}  // namespace qvsweep
