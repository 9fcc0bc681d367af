// qvcode merge: the parts of a sweep run in shards joined into the report
// that one process would have written, byte for byte: the parts in order,
// up to the one where the sweep stopped, and the closing line when it did
// not stop.  Every part must be there, of the same sweep, its columns
// following the previous part's, its size as its summary says.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>
#include <vector>

#include "qvcode/command.hpp"
#include "sweep/sweep.hpp"
#include "sweep/report_file.hpp"
#include "qvcode/shard.hpp"

namespace qvcode {
namespace {

namespace fs = std::filesystem;

// N from the summary of shard 1: there must be exactly one.
std::size_t shardCount(const std::string& report) {
  const fs::path p(report);
  const fs::path dir = p.has_parent_path() ? p.parent_path() : fs::path(".");
  const std::string prefix = p.filename().string() + ".1-of-";
  std::vector<std::size_t> counts;
  std::error_code ec;
  for (const fs::directory_entry& e : fs::directory_iterator(dir, ec)) {
    const std::string name = e.path().filename().string();
    if (!name.starts_with(prefix) || !name.ends_with(".summary")) continue;
    const std::string n = name.substr(prefix.size(), name.size() - prefix.size() - 8);
    if (!n.empty() && n.find_first_not_of("0123456789") == std::string::npos) counts.push_back(std::stoul(n));
  }
  if (counts.empty()) throw std::runtime_error("no shard summary '" + report + ".1-of-N.summary' to merge");
  if (counts.size() > 1) {
    std::sort(counts.begin(), counts.end());
    throw std::runtime_error("'" + summaryPath(report, 1, counts[0]) + "' and '" + summaryPath(report, 1, counts[1]) +
                             "' are summaries of different counts of shards; remove the stale ones");
  }
  return counts[0];
}

// The summaries of every shard, checked to be one whole sweep.
std::vector<ShardSummary> readShards(const std::string& report) {
  const std::size_t n = shardCount(report);
  std::vector<ShardSummary> shards;
  for (std::size_t k = 1; k <= n; ++k) {
    const std::string path = summaryPath(report, k, n);
    if (!fs::exists(path)) throw std::runtime_error("shard " + std::to_string(k) + " of " + std::to_string(n) +
                                                    " is missing: no '" + path + "'");
    ShardSummary s = readSummary(path);
    const auto bad = [&](const std::string& what) { return std::runtime_error("'" + path + "': " + what); };
    if (s.index != k || s.count != n) throw bad("it is the summary of another shard");
    if (k > 1 && s.grid != shards[0].grid) throw bad("a shard of another sweep (other options)");
    if (s.columnsTotal != (k > 1 ? shards[0].columnsTotal : s.columnsTotal) ||
        s.firstColumn != (k > 1 ? shards.back().endColumn : 0) || (k == n && s.endColumn != s.columnsTotal))
      throw bad("its columns do not follow the previous shard's");
    std::error_code ec;
    if (fs::file_size(partPath(report, k, n), ec) != s.bytes || ec)
      throw bad("its part '" + partPath(report, k, n) + "' is not the size it was written with");
    shards.push_back(std::move(s));
  }
  return shards;
}

// Copies a part into the report in blocks of whole records.  The part must
// read to its end and give the `bytes` its summary says: one that fails or
// changed since it was checked is refused rather than joined in part.
void copyPart(const std::string& path, std::uintmax_t bytes, qvsweep::ReportFile& report) {
  std::ifstream in(path, std::ios::binary);
  if (!in.is_open()) throw std::runtime_error("cannot read '" + path + "'");
  std::string pending;
  std::vector<char> block(1 << 16);
  std::vector<std::uint32_t> ends;
  std::uintmax_t copied = 0;
  while (in) {
    in.read(block.data(), static_cast<std::streamsize>(block.size()));
    copied += static_cast<std::uintmax_t>(in.gcount());
    pending.append(block.data(), static_cast<std::size_t>(in.gcount()));
    ends.clear();
    for (std::size_t at = pending.find("\"\r\n"); at != std::string::npos; at = pending.find("\"\r\n", at + 3))
      ends.push_back(static_cast<std::uint32_t>(at + 3));
    if (ends.empty()) continue;
    report.writeRecords(pending, 0, ends);
    pending.erase(0, ends.back());
  }
  if (in.bad()) throw std::runtime_error("cannot read '" + path + "'");
  if (copied != bytes) throw std::runtime_error("'" + path + "' is not the size it was written with");
  if (!pending.empty()) throw std::runtime_error("'" + path + "' ends in the middle of a record");
}

}  // namespace

int runMerge(Args args, std::ostream& out, std::ostream& err) {
  bool json = false;
  std::vector<std::string_view> reports;
  const Option options[] = {flag("--json", json)};
  if (const Problem problem = readArguments(args, "merge", options, appendTo(reports))) return usageError(err, *problem);
  if (reports.size() != 1) return usageError(err, "merge takes the report path that the shards were given");
  const std::string report(reports[0]);

  std::vector<ShardSummary> shards;
  try {
    shards = readShards(report);
  } catch (const std::exception& e) {
    err << "qvcode: merge: " << e.what() << '\n';
    return exitUsage;
  }

  SweepTotals t;
  const ShardSummary* stopped = nullptr;
  try {
    qvsweep::ReportFile file(report);
    for (const ShardSummary& s : shards) {
      copyPart(partPath(report, s.index, s.count), s.bytes, file);
      t.cases += s.cases;
      t.errors += s.errors;
      qvsweep::merge(t.worstLatitude, s.worstLatitude);
      qvsweep::merge(t.worstLongitude, s.worstLongitude);
      t.seconds += s.seconds;
      // The sweep ends here: the shards after this one ran columns that it
      // never reaches.
      if (s.stopReason) {
        stopped = &s;
        break;
      }
    }
    if (!stopped) file.writeLine(qvsweep::closingLine(t.cases));
    file.close();
  } catch (const std::exception& e) {
    err << "qvcode: merge: " << e.what() << '\n';
    return exitUsage;
  }
  if (stopped) {
    err << "qvcode: sweep failed: "
        << qvsweep::stoppedAt(*stopped->stopReason, t.cases, stopped->stopLatitude, stopped->stopLongitude)
        << qvsweep::keptLines(report)
        << '\n';
    return exitUsage;
  }

  printSweepSummary(out, t, report, json);
  return t.errors > 0 ? exitErrorCases : exitOk;
}

}  // namespace qvcode
