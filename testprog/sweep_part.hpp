// A part of a sweep: a run of consecutive cases of one column, laid out by
// the grid walk and evaluated away from the form and its view, so that parts
// can be evaluated ahead (and on other threads) and then taken into the form
// in sweep order.  What a part keeps is exactly what its cases would have
// left in the form: the report records, the counts, the first case, the
// worst differences, and where and why it stopped the sweep.
#pragma once

#include <cstdint>
#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "round_trip.hpp"

namespace qvpruef {

struct GridPoint {
  double Bdez, Ldez;  // as the loop holds them before the case
};

struct SweepPart {
  std::vector<GridPoint> points;
  std::size_t firstIndexInColumn = 0;  // of points[0]
  bool columnStart = false;            // points[0] is the first case of its column
  // The loop values after the part's last case, and the error (an overflow,
  // a loop that does not move on) that stops the sweep there, if any.
  double endBdez = 0, endLdez = 0;
  std::exception_ptr stop;
};

// The largest difference of one coordinate and the input point it came from.
struct WorstDifference {
  double difference = -1;  // degrees; negative while no case has run
  double latitude = 0, longitude = 0;
};

// Keeps the first of the largest differences in sweep order; a difference
// that cannot be computed (NaN) counts as the worst.
void record(WorstDifference& worst, double difference, double latitude, double longitude);
// `later` from cases after those of `worst`.
void merge(WorstDifference& worst, const WorstDifference& later);

// One case that ran to its end, as an observer beyond the report sees it
// (the headless sweep's map).
struct SweptCase {
  // The input position after the case's own adjustment, in degrees.
  double latitude, longitude;
  // |latitude back − latitude| and |longitude back − longitude| the short way
  // round, in degrees; NaN or infinity where the arithmetic failed.
  double latitudeDifference, longitudeDifference;
  bool errorCase;      // counted as an error case by the judgement
  bool inverseRaised;  // the inverse raised in skip-on-error mode
};

struct PartResult {
  std::string records;  // quoted, CR LF ended, as they go into the report file
  // Where each record ends in `records`, and the count of the part's cases
  // when it was written.
  std::vector<std::uint32_t> recordEnds, recordCases;
  std::int64_t cases = 0, errors = 0;  // counted, a stopping case included once counted
  std::int64_t completedCases = 0, completedErrors = 0;  // through the last case that ran to its end
  std::optional<qv::RoundTripPoint> first;  // the first counted case, for the first-case display
  bool eastClamped = false;  // the column's first case moved the longitude to 180
  std::int16_t stunde = 0;   // the hour of the last case that set one
  WorstDifference worstLatitude, worstLongitude;  // over the completed cases
  // The completed cases in order, where SweepSettings::keepCases asks.
  std::vector<SweptCase> swept;
  // The error that stopped the sweep in or after this part, and the loop
  // values it left.
  std::exception_ptr stop;
  double Bdez = 0, Ldez = 0;
};

}  // namespace qvpruef
