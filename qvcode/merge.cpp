// qvcode merge: the parts of a sweep run in shards joined into the report
// that one process would have written, byte for byte: the parts in order,
// up to the one where the sweep stopped, and the closing line when it did
// not stop.  Every part must be there, of the same sweep, its columns
// following the previous part's, its size, lines and counts as its summary
// says (part_check.hpp).  The report
// is replaced whole or not at all: a merge that fails leaves it as it was.

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "conversion/printable_text.hpp"
#include "qvcode/command.hpp"
#include "qvcode/part_check.hpp"
#include "qvcode/shard.hpp"
#include "qvcode/stop_signals.hpp"
#include "qvcode/whole_file.hpp"
#include "sweep/report_format.hpp"
#include "sweep/sweep.hpp"

namespace qvcode {
namespace {

namespace fs = std::filesystem;

// The count N of a summary's name "REPORT.1-of-N.summary", as qvcode spells
// it (no sign, no leading zero, within a size); nothing for a name of
// another report, a problem for one that is off.
std::optional<std::size_t> countOfName(const std::string& name, const std::string& prefix, std::string& problem) {
  if (!name.starts_with(prefix) || !name.ends_with(".summary")) return std::nullopt;
  const std::string n = name.substr(prefix.size(), name.size() - prefix.size() - 8);
  if (n.empty() || n.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
  std::size_t count = 0;
  const auto r = std::from_chars(n.data(), n.data() + n.size(), count);
  if (r.ec != std::errc()) {
    problem = "'" + name + "': " + n + " shards are more than any sweep has columns";
  } else if (count == 0) {
    problem = "'" + name + "': a sweep has at least one shard, not 0";
  } else if (n.front() == '0') {
    problem = "'" + name + "': the count of shards " + n + " is not spelled as qvcode spells it (" +
              std::to_string(count) + ")";
  } else {
    return count;
  }
  return std::nullopt;
}

// N from the summary of shard 1: there must be exactly one.
std::size_t shardCount(const std::string& report) {
  const fs::path p(report);
  const fs::path dir = p.has_parent_path() ? p.parent_path() : fs::path(".");
  const std::string prefix = p.filename().string() + ".1-of-";
  std::vector<std::size_t> counts;
  std::string problem;
  std::error_code ec;
  for (const fs::directory_entry& e : fs::directory_iterator(dir, ec))
    if (const auto n = countOfName(e.path().filename().string(), prefix, problem)) counts.push_back(*n);
  if (!problem.empty()) throw std::runtime_error(problem);
  if (counts.empty()) throw std::runtime_error("no shard summary '" + report + ".1-of-N.summary' to merge");
  std::sort(counts.begin(), counts.end());
  if (counts.size() > 1)
    throw std::runtime_error("'" + summaryPath(report, 1, counts[0]) + "' and '" + summaryPath(report, 1, counts[1]) +
                             "' are summaries of different counts of shards; remove the stale ones");
  return counts[0];
}

// Whether two paths name one file (a link, a hard link, the same name).
bool sameFile(const std::string& a, const std::string& b) {
  std::error_code ec;
  return fs::equivalent(a, b, ec) && !ec;
}

// The summaries of every shard, checked to be one whole sweep.
std::vector<ShardSummary> readShards(const std::string& report) {
  const std::size_t n = shardCount(report);
  std::vector<ShardSummary> shards;
  for (std::size_t k = 1; k <= n; ++k) {
    const std::string path = summaryPath(report, k, n), part = partPath(report, k, n);
    std::error_code ec;
    if (!fs::exists(path, ec))
      throw std::runtime_error("shard " + std::to_string(k) + " of " + std::to_string(n) + " is missing: no '" + path +
                               "'");
    ShardSummary s = readSummary(path);
    const auto bad = [&](const std::string& what) { return std::runtime_error("'" + path + "': " + what); };
    if (s.index != k || s.count != n) throw bad("it is the summary of another shard");
    if (k > 1 && s.grid != shards[0].grid) throw bad("a shard of another sweep (other options)");
    if (s.columnsTotal != (k > 1 ? shards[0].columnsTotal : s.columnsTotal) ||
        s.firstColumn != (k > 1 ? shards.back().endColumn : 0) || (k == n && s.endColumn != s.columnsTotal))
      throw bad("its columns do not follow the previous shard's");
    if (!fs::exists(part, ec)) throw bad("its part '" + part + "' is missing");
    const std::uintmax_t size = fs::file_size(part, ec);
    if (ec) throw bad("its part '" + part + "' cannot be read: " + ec.message());
    if (size != s.bytes)
      throw bad("its part '" + part + "' holds " + std::to_string(size) + " bytes, not the " + std::to_string(s.bytes) +
                " it was written with");
    if (sameFile(report, part) || sameFile(report, path))
      throw std::runtime_error("the report '" + report + "' is the file '" + (sameFile(report, part) ? part : path) +
                               "' (a link to it): merging into it would destroy it");
    shards.push_back(std::move(s));
  }
  return shards;
}

// The longest record a part may hold: a report line is under 200 bytes.
constexpr std::size_t longestRecord = 1 << 16;

// Copies a part into the report, checking that it is whole records, and
// takes note of them in `records`.  Each
// block is searched once, and only its end that is not yet a whole record
// is kept, so the copy runs in linear time and constant memory.  The part
// must read to its end and give the `bytes` its summary says: one that
// fails or changed since it was checked is refused rather than joined in
// part.
void copyPart(const std::string& path, std::uintmax_t bytes, WholeFile& report, PartRecords& records) {
  std::ifstream in(path, std::ios::binary);
  if (!in.is_open()) throw std::runtime_error("cannot read '" + path + "'");
  std::string pending;
  std::vector<char> block(1 << 16);
  std::uintmax_t copied = 0;
  while (in) {
    in.read(block.data(), static_cast<std::streamsize>(block.size()));
    const auto got = static_cast<std::size_t>(in.gcount());
    copied += got;
    pending.append(block.data(), got);
    // What was kept holds no record end, so one found lies in this block.
    const std::size_t end = qvsweep::wholeRecordsEnd(pending);
    if (end == 0) {
      if (pending.size() > longestRecord)
        throw std::runtime_error("'" + path + "' holds " + std::to_string(pending.size()) +
                                 " bytes without the end of a record: it is no part of a report");
      continue;
    }
    const std::string_view whole = std::string_view(pending).substr(0, end);
    records.take(whole);
    report.write(whole);
    pending.erase(0, end);
  }
  if (in.bad()) throw std::runtime_error("cannot read '" + path + "'");
  if (copied != bytes) throw std::runtime_error("'" + path + "' is not the size it was written with");
  if (!pending.empty()) throw std::runtime_error("'" + path + "' ends in the middle of a record");
}

// The totals of the shards up to the one where the sweep stopped; counts
// that add up beyond a 64-bit count are refused.
SweepTotals totalsOf(const std::vector<ShardSummary>& shards, const ShardSummary*& stopped) {
  SweepTotals t;
  stopped = nullptr;
  for (const ShardSummary& s : shards) {
    if (__builtin_add_overflow(t.cases, s.cases, &t.cases) || __builtin_add_overflow(t.errors, s.errors, &t.errors))
      throw std::runtime_error("the shards' counts add up beyond what a count holds");
    qvsweep::merge(t.worstLatitude, s.worstLatitude);
    qvsweep::merge(t.worstLongitude, s.worstLongitude);
    if (!t.firstError) t.firstError = s.firstError;
    t.seconds += s.seconds;
    // The sweep ends here: the shards after this one ran columns that it
    // never reaches.
    if (s.stopReason) {
      stopped = &s;
      break;
    }
  }
  return t;
}

}  // namespace

int runMerge(Args args, std::ostream& out, std::ostream& err) {
  bool json = false;
  std::vector<std::string_view> reports;
  const Option options[] = {flag("--json", json)};
  if (const Problem problem = readArguments(args, "merge", options, appendTo(reports)))
    return usageError(err, *problem);
  if (reports.size() != 1) return usageError(err, "merge takes the report path that the shards were given");
  const std::string report(reports[0]);

  const StopSignals signals;
  SweepTotals t;
  const ShardSummary* stopped = nullptr;
  try {
    const std::vector<ShardSummary> shards = readShards(report);
    t = totalsOf(shards, stopped);
    WholeFile file(report, [&signals] { return signals.caught(); });
    for (const ShardSummary& s : shards) {
      const std::string part = partPath(report, s.index, s.count);
      PartRecords records;
      copyPart(part, s.bytes, file, records);
      checkShard(s, records, summaryPath(report, s.index, s.count), part);
      if (&s == stopped) break;
    }
    if (!stopped) file.write(qvsweep::record(qvsweep::closingLine(t.cases)));
    file.commit();
    if (stopped) {
      err << "qvcode: sweep failed: "
          << qvsweep::stoppedAt(qv::printableText(*stopped->stopReason), t.cases, stopped->stopLatitude,
                                stopped->stopLongitude)
          << qvsweep::keptLines(report) << '\n';
      return exitUsage;
    }
  } catch (const std::exception& e) {
    err << "qvcode: merge: " << e.what() << '\n';
    return signals.caught() ? exitStoppedBy(signals.caught()) : exitUsage;
  }
  printSweepSummary(out, t, report, json);
  return t.errors > 0 ? exitErrorCases : exitOk;
}

}  // namespace qvcode
