// The sweep engine: every point of a latitude/longitude grid taken to its Quorvel code and back, judged, counted and
// reported.
#pragma once
//
// Its entry, runSweep: typed settings in, a typed result out.  The report
// file gets a record for every case the store mode selects (every case, or
// the error cases only) and, unless the sweep stopped or ran as a shard, the
// closing line "cases= " with the count.  A sweep that stops (a run-time
// error with skip-on-error mode off, a loop that would not end, a refused
// write, an observer's stop) keeps the records written so far, gets no
// closing line, and says so in its failure message.

#include <cstdint>
#include <exception>
#include <optional>
#include <string>

#include "sweep/observer.hpp"
#include "sweep/settings.hpp"
#include "sweep/worst_difference.hpp"

namespace qvsweep {

struct SweepResult {
  std::int64_t cases = 0, errors = 0;  // errors stay 0 when every case is stored
  WorstDifference worstLatitude, worstLongitude;
  // The first error case in sweep order (none when every case is stored).
  std::optional<CasePoint> firstError;
  // The loop values where the sweep ended (after a whole sweep, the first
  // values past the ends of their loops); empty where the walk never set
  // them (the report could not be opened; no column ran).
  std::optional<double> latitude, longitude;
  // The clock hour of the last case that got one.
  std::optional<std::int16_t> lastHour;
  // The columns run of how many (a shard's range; 0 total for the whole grid).
  ColumnRange columns;
  std::size_t columnsTotal = 0;
  // What the user is told when the sweep did not run to its end: why, how
  // far it got and what the report holds.  Empty after a whole sweep.
  std::optional<std::string> failure;
  // Why the walk stopped, without where (empty when it never started).
  std::optional<std::string> stopReason;
  // Whether the report refused a record or its close: the sweep's
  // environment failed, not the sweep.
  bool reportRefused = false;
};

// Settings with a step of 0 do not start (readSettings makes such a step one
// degree); neither do settings whose tolerance has no size in metres.
SweepResult runSweep(const SweepSettings& settings, SweepObserver* observer = nullptr);

// The message of a sweep that stopped begins with the reason, how many
// cases it counted and the loop values where it stopped ("Run-time error 5:
// Invalid procedure call or argument. The sweep stopped after 945 cases, at
// latitude 48.0175, longitude 11.67; "), and where the report kept what it
// was given ends "the report file 'r.txt' keeps the lines written before
// and has no closing line."
std::string stoppedAt(const std::string& reason, std::int64_t cases, double latitude, double longitude);
std::string keptLines(const std::string& report);

// The message that tells a user about an error: a file error says itself
// what failed and why ("Cannot open report file '/nope/x.txt': No such file
// or directory"); a run-time error of the conversions gets its number
// ("Run-time error 6: Overflow").
std::string errorMessage(const std::exception& e);

// The message of a sweep that could not start for a setting whose arithmetic
// overflows, or a step of 0.
std::string couldNotStart(const std::exception& cause);

// What a grid holds, before any case runs.

// About how many cases: the bounds' span over the step, in each loop.  Exact
// for steps that are binary fractions of a degree; others drift (a 10′
// latitude step visits one latitude less), and a bound beyond the poles or
// the date line is adjusted by its first case.  A step of 0 holds none.
double estimatedCases(const SweepSettings& settings);

// The latitudes that every column visits, as the sweep walks them and the
// input adjustment leaves them: how many, the first and the last.  A walk
// that stops the sweep (a sum that overflows, a step that does not move on)
// ends with the case where it stops, which counts.  Nothing where the
// latitude step overflows or is 0, or where a column visits more than
// `most` latitudes (the walk goes no further).
struct ColumnLatitudes {
  std::int64_t count = 0;
  double first = 0, last = 0;  // degrees; 0 where the column has no case
};
std::optional<ColumnLatitudes> columnLatitudes(const SweepSettings& settings, std::int64_t most);

}  // namespace qvsweep
