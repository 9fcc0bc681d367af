// qvcode sweep: the test form's sweep without a window.  It runs the form
// logic itself on the in-memory view: options are typed into the boxes
// unchanged, so "95" or "abc" behave as they would in the window.  With
// --map it also draws where the round trip fails.

#include <algorithm>
#include <array>
#include <charconv>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <thread>
#include <vector>
#include <unistd.h>

#include "command.hpp"
#include "form_logic.hpp"
#include "map_module.hpp"
#include "memory_view.hpp"
#include "shard.hpp"
#include "sweep_map.hpp"
#include "sweep_watch.hpp"
#include "text_value.hpp"

namespace qvcode {
namespace {

using qvpruef::Control;

struct BoxOption {
  std::string_view name;
  Control box;
};

constexpr std::array boxOptions = {
    BoxOption{"--lat-from", Control::Bgradpos}, BoxOption{"--lat-to", Control::Bgradneg},
    BoxOption{"--lat-step", Control::Bstep},    BoxOption{"--lon-from", Control::Lgradpos},
    BoxOption{"--lon-to", Control::Lgradneg},   BoxOption{"--lon-step", Control::Lstep},
    BoxOption{"--tolerance", Control::fehlersec}, BoxOption{"--report", Control::fonte},
};

struct Options {
  bool json = false;
  bool storeAll = false;
  unsigned jobs = std::max(1U, std::thread::hardware_concurrency());
  std::size_t shardIndex = 0, shardCount = 0;  // 0: the whole grid
  std::string map;  // the map's PNG file; empty: no map
  std::optional<MapSize> mapSize;
};

// A whole number from `least` up, in full.
bool wholeNumber(std::string_view text, std::size_t least, std::size_t& n) {
  const auto r = std::from_chars(text.data(), text.data() + text.size(), n);
  return !text.empty() && r.ec == std::errc() && r.ptr == text.data() + text.size() && n >= least;
}

// Fills the boxes from the arguments and answers the first problem.
Problem readOptions(Args args, qvpruef::MemoryView& view, Options& o) {
  std::vector<Option> options = {
      flag("--json", o.json),
      withValue(
          "--store",
          [&o](std::string_view value) -> Problem {
            if (value != "errors" && value != "all")
              return "--store takes 'errors' or 'all', not '" + std::string(value) + "'";
            o.storeAll = value == "all";
            return {};
          },
          "needs 'errors' or 'all'"),
      withValue(
          "--jobs",
          [&o](std::string_view value) -> Problem {
            std::size_t n = 0;
            if (!wholeNumber(value, 1, n) || n > 1024)
              return "--jobs takes a number of threads from 1 to 1024, not '" + std::string(value) + "'";
            o.jobs = static_cast<unsigned>(n);
            return {};
          },
          "needs a number of threads"),
      withValue(
          "--shard",
          [&o](std::string_view value) -> Problem {
            const std::size_t slash = value.find('/');
            if (slash == std::string_view::npos || !wholeNumber(value.substr(0, slash), 1, o.shardIndex) ||
                !wholeNumber(value.substr(slash + 1), 1, o.shardCount) || o.shardIndex > o.shardCount)
              return "--shard takes K/N, the K-th of N parts with 1 <= K <= N, not '" + std::string(value) + "'";
            return {};
          },
          "needs K/N"),
      withValue("--map",
                [&o](std::string_view value) -> Problem {
                  if (value.empty()) return std::string("--map needs a file name");
                  o.map = value;
                  return {};
                }),
      withValue("--map-size",
                [&o](std::string_view value) -> Problem {
                  o.mapSize = parseMapSize(value);
                  if (o.mapSize) return {};
                  return "--map-size takes WIDTHxHEIGHT in pixels, each " + std::to_string(minimumMapSide) + " to " +
                         std::to_string(maximumMapSide) + ", not '" + std::string(value) + "'";
                }),
  };
  for (const BoxOption& b : boxOptions)
    options.push_back(withValue(b.name, [&view, box = b.box](std::string_view value) -> Problem {
      view.setText(box, std::string(value));
      return {};
    }));
  // The sweep takes nothing but options.
  Problem problem = readArguments(args, "sweep", options,
                                  [](std::string_view a) -> Problem { return "unknown option '" + std::string(a) + "'"; });
  if (!problem && o.mapSize && o.map.empty()) problem = "sweep: --map-size needs --map";
  return problem;
}

// The box's number, or 0 where it has none or overflows (the sweep itself
// then refuses to start).
double boxNumber(const qvpruef::MemoryView& view, Control box) {
  try {
    return qv::textValue(view.text(box));
  } catch (const std::exception&) {
    return 0;
  }
}

// The grid as the sweep has settled the boxes: a step of 0 is one degree, an
// inverted range its upper bound alone.
MapGrid gridOf(const qvpruef::MemoryView& view) {
  return {boxNumber(view, Control::Bgradpos), boxNumber(view, Control::Bgradneg),
          std::fabs(boxNumber(view, Control::Bstep)) / 60, boxNumber(view, Control::Lgradpos),
          boxNumber(view, Control::Lgradneg),           std::fabs(boxNumber(view, Control::Lstep)) / 60};
}

// Why a file cannot be written at `path`, without creating it; empty if it can.
std::string unwritable(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::path p(path);
  const bool exists = fs::exists(p, ec);
  if (exists && fs::is_directory(p, ec)) return "it is a folder";
  const fs::path folder = p.has_parent_path() ? p.parent_path() : fs::path(".");
  if (access(exists ? path.c_str() : folder.c_str(), W_OK) != 0) return std::strerror(errno);
  return {};
}

std::string quoted(const std::string& s) { return "\u201c" + s + "\u201d"; }

// What was swept and what came out, above the map.
std::vector<std::string> mapTitle(const qvpruef::MemoryView& view, const qvpruef::QVpruefForm& form,
                                  const SweepMap& map, bool storeAll, const std::string& stopped) {
  const auto box = [&](Control c) { return view.text(c); };
  std::string inputs = "latitude " + box(Control::Bgradpos) + " to " + box(Control::Bgradneg) + " by " +
                       box(Control::Bstep) + "\u2032 \u00b7 longitude " + box(Control::Lgradpos) + " to " +
                       box(Control::Lgradneg) + " by " + box(Control::Lstep) + "\u2032 \u00b7 ";
  char tolerance[32];
  std::snprintf(tolerance, sizeof tolerance, "%g", boxNumber(view, Control::fehlersec));
  inputs += storeAll ? "store all"
                     : "tolerance " + quoted(box(Control::fehlersec)) + " = " + tolerance + "\u2033 \u00b7 store errors";
  std::string counts = std::to_string(form.fallzahl) + (form.fallzahl == 1 ? " case" : " cases");
  counts += storeAll ? " (not judged)" : " \u00b7 " + std::to_string(form.fehlerzahl) + " error cases";
  counts += " \u00b7 " + std::to_string(map.inverseRaised()) + " with a raised inverse";
  if (const LargestDifference& l = map.largest(); l.seconds >= 0) {
    char largest[96];
    std::snprintf(largest, sizeof largest, " \u00b7 largest difference %.3g\u2033 at %.10g, %.10g", l.seconds,
                  l.latitude, l.longitude);
    counts += largest;
  }
  if (!stopped.empty()) counts += " \u00b7 " + stopped;
  return {"Round trip to the Quorvel code and back: where the position comes back off", inputs, counts};
}

}  // namespace

int runSweep(Args args, std::ostream& out, std::ostream& err) {
  qvpruef::MemoryView view;
  // The headless default report lies in the current folder.
  view.setText(Control::fonte, "QV_errorDetect.txt");
  Options options;
  if (const Problem problem = readOptions(args, view, options)) return usageError(err, *problem);

  // A shard's summary names its sweep by the boxes as given, the same for
  // every shard of one command line.
  std::string grid = options.storeAll ? "store all" : "store errors";
  for (const BoxOption& b : boxOptions)
    if (b.box != Control::fonte) grid += '\n' + std::string(b.name) + ' ' + view.text(b.box);
  const std::string reportPath = view.text(Control::fonte);
  if (options.shardCount > 0) {
    // A summary left by an earlier run of this shard must not outlive a
    // failing one.
    std::remove(summaryPath(reportPath, options.shardIndex, options.shardCount).c_str());
    view.setText(Control::fonte, partPath(reportPath, options.shardIndex, options.shardCount));
  }

  // A map that cannot be drawn or written is refused before the sweep runs.
  WriteMapFunction writeMap = nullptr;
  std::optional<SweepMap> map;
  if (!options.map.empty()) {
    std::string problem;
    writeMap = loadMapWriter(problem);
    if (!writeMap) {
      err << "qvcode: sweep: cannot draw maps: " << problem << '\n';
      return exitUsage;
    }
    if (const std::string why = unwritable(options.map); !why.empty()) {
      err << "qvcode: sweep: cannot write the map '" << options.map << "': " << why << '\n';
      return exitUsage;
    }
    map.emplace(options.mapSize, [&view] { return gridOf(view); });
  }

  qvpruef::QVpruefForm form(view);
  form.setJobs(options.jobs);
  if (options.shardCount > 0) form.setShard(options.shardIndex, options.shardCount);
  form.Form_Activate();
  if (options.storeAll) form.storeall_Click();

  SweepWatch watch(isatty(STDERR_FILENO) ? &err : nullptr, [&view] { return gridOf(view); }, map ? &*map : nullptr);
  form.setSweepObserver(&watch);

  const auto start = std::chrono::steady_clock::now();
  form.pruefe_Click();
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  watch.finish();

  const std::string report = view.text(Control::fonte);
  // A shard that ran its columns, or stopped in them as the whole sweep
  // would, has a summary for the merge; one that a signal stopped or whose
  // file failed has none.
  const bool failed = !view.shownErrors().empty();
  // The map of what was swept, also of a sweep that stopped on its way.
  bool mapWritten = false;
  if (map && (!failed || form.fallzahl > 0)) {
    const std::string stopped = watch.stoppedBy() != 0 ? watch.stopReason()
                                : failed               ? "the sweep stopped on an error"
                                                       : "";
    const std::string problem = writeMap(
        map->picture(mapTitle(view, form, *map, options.storeAll, stopped), !options.storeAll,
                     boxNumber(view, Control::fehlersec)),
        options.map);
    mapWritten = problem.empty();
    if (!mapWritten) err << "qvcode: sweep: cannot write the map '" << options.map << "': " << problem << '\n';
  }
  if (options.shardCount > 0 && watch.stoppedBy() == 0 && (!failed || (form.stopReason && !form.reportRefused))) {
    ShardSummary s;
    s.index = options.shardIndex;
    s.count = options.shardCount;
    s.grid = grid;
    s.firstColumn = form.columns.first;
    s.endColumn = form.columns.end;
    s.columnsTotal = form.columnsTotal;
    s.cases = form.fallzahl;
    s.errors = form.fehlerzahl;
    std::error_code ec;
    s.bytes = std::filesystem::file_size(report, ec);
    s.worstLatitude = form.worstLatitude;
    s.worstLongitude = form.worstLongitude;
    s.seconds = seconds;
    if (form.stopReason) {
      s.stopReason = form.stopReason;
      s.stopLatitude = form.Bdez;
      s.stopLongitude = form.Ldez;
    }
    try {
      writeSummary(summaryPath(reportPath, options.shardIndex, options.shardCount), s);
    } catch (const std::exception& e) {
      err << "qvcode: " << e.what() << '\n';
      return exitUsage;
    }
  }
  if (failed) {
    // A signal during a write to a terminal may have left the stream failed.
    err.clear();
    if (watch.stoppedBy() != 0) {
      err << "qvcode: " << view.shownErrors().back() << '\n';
      return exitStoppedBy(watch.stoppedBy());
    }
    err << "qvcode: sweep failed: " << view.shownErrors().back() << '\n';
    return exitUsage;
  }
  printSweepSummary(out,
                    {form.fallzahl, form.fehlerzahl, form.worstLatitude, form.worstLongitude, seconds,
                     mapWritten ? options.map : std::string()},
                    report, options.json);
  if (map && !mapWritten) return exitUsage;
  return form.fehlerzahl > 0 ? exitErrorCases : exitOk;
}

}  // namespace qvcode
