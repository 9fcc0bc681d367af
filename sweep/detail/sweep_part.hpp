// A part of a sweep: a run of consecutive cases of one column, laid out by
// the grid walk and evaluated apart from the driver, so that parts can be
// evaluated ahead (and on other threads) and then taken in, in sweep order.
// What a part keeps is exactly what its cases would have left behind one
// after the other: the report records, the counts, the first case, the
// worst differences, and where and why it stopped the sweep.
#pragma once

#include <cstdint>
#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "conversion/round_trip_point.hpp"
#include "sweep/observer.hpp"
#include "sweep/worst_difference.hpp"

namespace qvsweep {

struct GridPoint {
  double latitude, longitude;  // degrees, as the loops hold them before the case
};

struct SweepPart {
  std::vector<GridPoint> points;
  std::size_t firstIndexInColumn = 0;  // of points[0]
  bool columnStart = false;            // points[0] is the first case of its column
  // The loop values after the part's last case, and the error (an overflow,
  // a loop that does not move on) that stops the sweep there, if any.
  double endLatitude = 0, endLongitude = 0;
  std::exception_ptr stop;
};

struct PartResult {
  std::string records;  // framed, as they go into the report file
  // Where each record ends in `records`, and the count of the part's cases
  // when it was written.
  std::vector<std::uint32_t> recordEnds, recordCases;
  std::int64_t cases = 0, errors = 0;                    // counted, a stopping case included once counted
  std::int64_t completedCases = 0, completedErrors = 0;  // through the last case that ran to its end
  std::optional<qv::RoundTripPoint> first;               // the first counted case, for the first-case display
  bool eastClamped = false;                              // the column's first case moved the longitude to 180
  std::int16_t hour = 0;                                 // the hour of the last case that set one
  WorstDifference worstLatitude, worstLongitude;         // over the completed cases
  std::optional<CasePoint> firstError;                   // the part's first error case
  // The completed cases in order, where CaseSettings::keepCases asks.
  std::vector<SweptCase> swept;
  // The error that stopped the sweep in or after this part, and the loop
  // values it left.
  std::exception_ptr stop;
  double endLatitude = 0, endLongitude = 0;
};

}  // namespace qvsweep
