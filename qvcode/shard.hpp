// Sweeps in shards: the part report and summary of one shard, and reading
// them back for the merge.  Shard K of N of a sweep whose report is R writes
// its part to "R.K-of-N" and its summary to "R.K-of-N.summary"; the summary
// names the grid (the box texts as given on the command line), the columns
// the shard ran of how many, its counts, its worst differences, its time,
// the size of its part, and why it stopped if it did.  A merge prints what
// the whole sweep would have printed.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

#include "sweep/settings.hpp"
#include "sweep/worst_difference.hpp"

namespace qvcode {

struct ShardSummary {
  std::size_t index = 0, count = 0;  // K of N, from 1
  std::string grid;                  // the same text for every shard of one sweep
  std::size_t firstColumn = 0, endColumn = 0, columnsTotal = 0;
  std::int64_t cases = 0, errors = 0;
  std::uintmax_t bytes = 0;  // of the part report
  qvsweep::WorstDifference worstLatitude, worstLongitude;
  std::optional<qvsweep::CasePoint> firstError;
  bool firstErrorKept = true;  // false for a summary of before the first error case was kept
  double seconds = 0;
  // Why the sweep stopped in this shard, and the loop values there.
  std::optional<std::string> stopReason;
  double stopLatitude = 0, stopLongitude = 0;
};

// A summary names its sweep by the options as given, the same for every
// shard of one command line: "store all" or "store errors", then a line
// "--lat-from 89" for each box text, in the order of qvsweep::textOptions.
std::string gridText(bool storeAll, const qvsweep::SweepTexts& texts);
// The store mode and box texts of such a text; false for one that no sweep
// wrote.
bool readGridText(std::string_view grid, bool& storeAll, qvsweep::SweepTexts& texts);

std::string partPath(const std::string& report, std::size_t index, std::size_t count);
std::string summaryPath(const std::string& report, std::size_t index, std::size_t count);

// What a sweep prints at its end: the counts, the first error case, the
// worst differences in seconds of arc (each with the point where it
// occurred) and the report path, or with --json one object that adds the
// worst differences in degrees and the time taken.
struct SweepTotals {
  std::int64_t cases = 0, errors = 0;
  qvsweep::WorstDifference worstLatitude, worstLongitude;
  std::optional<qvsweep::CasePoint> firstError;
  double seconds = 0;
  std::string map;  // the sweep's map, if one was written
};
void printSweepSummary(std::ostream& out, const SweepTotals& t, const std::string& report, bool json);

// Writes the summary; raises std::runtime_error naming the file.
void writeSummary(const std::string& path, const ShardSummary& s);
// Reads one back and checks that its numbers can be a shard's (K in 1..N,
// counts not negative and errors not above cases, columns in order, worst
// differences and time not negative); raises std::runtime_error naming the
// file and the line that is wrong.
ShardSummary readSummary(const std::string& path);

}  // namespace qvcode
