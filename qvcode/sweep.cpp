// qvcode sweep: the test window's sweep without a window, on the sweep
// engine.  The grid and tolerance options are read as the window reads its
// boxes, so "95" or "abc" behave as they would there.  With --map it also
// draws where the round trip fails; with --shard it runs one part of the
// columns and leaves a summary for qvcode merge.

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
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

#include "qvcode/command.hpp"
#include "qvcode/map_module.hpp"
#include "qvcode/shard.hpp"
#include "qvcode/sweep_map.hpp"
#include "qvcode/sweep_watch.hpp"
#include "qvcode/whole_file.hpp"
#include "sweep/sweep.hpp"

namespace qvcode {
namespace {

using qvsweep::SweepTexts;

using qvsweep::TextOption;
using qvsweep::textOptions;

struct Options {
  SweepTexts texts;
  std::string report = "QV_errorDetect.txt";  // in the current folder
  bool json = false;
  bool storeAll = false;
  unsigned jobs = std::max(1U, std::thread::hardware_concurrency());
  std::optional<qvsweep::Shard> shard;
  std::string map;  // the map's PNG file; empty: no map
  std::optional<MapSize> mapSize;
};

// A whole number from `least` up, in full.
bool wholeNumber(std::string_view text, std::size_t least, std::size_t& n) {
  const auto r = std::from_chars(text.data(), text.data() + text.size(), n);
  return !text.empty() && r.ec == std::errc() && r.ptr == text.data() + text.size() && n >= least;
}

Problem takeStore(std::string_view value, Options& o) {
  if (value != "errors" && value != "all") return "--store takes 'errors' or 'all', not '" + std::string(value) + "'";
  o.storeAll = value == "all";
  return {};
}

Problem takeJobs(std::string_view value, Options& o) {
  std::size_t n = 0;
  if (!wholeNumber(value, 1, n) || n > 1024)
    return "--jobs takes a number of threads from 1 to 1024, not '" + std::string(value) + "'";
  o.jobs = static_cast<unsigned>(n);
  return {};
}

Problem takeShard(std::string_view value, Options& o) {
  const std::size_t slash = value.find('/');
  qvsweep::Shard s;
  if (slash == std::string_view::npos || !wholeNumber(value.substr(0, slash), 1, s.index) ||
      !wholeNumber(value.substr(slash + 1), 1, s.count) || s.index > s.count)
    return "--shard takes K/N, the K-th of N parts with 1 <= K <= N, not '" + std::string(value) + "'";
  o.shard = s;
  return {};
}

Problem takeMapSize(std::string_view value, Options& o) {
  o.mapSize = parseMapSize(value);
  if (o.mapSize) return {};
  const auto size = [](MapSize s) { return std::to_string(s.width) + "x" + std::to_string(s.height); };
  return "--map-size takes the picture's WIDTHxHEIGHT in pixels, from " + size(smallestPicture) + " (a map of " +
         size(mapAreaIn(smallestPicture)) + " with its title, labels and legend) to " +
         size({maximumMapSide, maximumMapSide}) + ", not '" + std::string(value) + "'";
}

// The options into `o`; answers the first problem.
Problem readOptions(Args args, Options& o) {
  std::vector<Option> options = {
      flag("--json", o.json),
      withValue(
          "--store", [&o](std::string_view v) { return takeStore(v, o); }, "needs 'errors' or 'all'"),
      withValue(
          "--jobs", [&o](std::string_view v) { return takeJobs(v, o); }, "needs a number of threads"),
      withValue(
          "--shard", [&o](std::string_view v) { return takeShard(v, o); }, "needs K/N"),
      withValue("--map",
                [&o](std::string_view v) -> Problem {
                  if (v.empty()) return std::string("--map needs a file name");
                  o.map = v;
                  return {};
                }),
      withValue("--map-size", [&o](std::string_view v) { return takeMapSize(v, o); }),
      withValue("--report",
                [&o](std::string_view v) -> Problem {
                  o.report = v;
                  return {};
                }),
  };
  for (const TextOption& t : textOptions)
    options.push_back(withValue(t.name, [&o, text = t.text](std::string_view value) -> Problem {
      o.texts.*text = value;
      return {};
    }));
  // The sweep takes nothing but options.
  Problem problem = readArguments(
      args, "sweep", options, [](std::string_view a) -> Problem { return "unknown option '" + std::string(a) + "'"; });
  if (!problem && o.mapSize && o.map.empty()) problem = "sweep: --map-size needs --map";
  return problem;
}

// The grid as the sweep settles it, as texts (for the map's title) and as
// numbers; a first case that moves the eastern bound to 180 moves it here.
struct SettledGrid {
  SweepTexts texts;
  qvsweep::SweepSettings settings;
};

// The settled grid of the options, or the message of a sweep that cannot
// start (a number beyond a double).
std::optional<std::string> settleGrid(const Options& o, SettledGrid& grid) {
  grid.texts = o.texts;
  try {
    qvsweep::readSettings(grid.texts, grid.settings);
  } catch (const std::exception& e) {
    return qvsweep::couldNotStart(e);
  }
  grid.settings.storeAll = o.storeAll;
  grid.settings.jobs = o.jobs;
  grid.settings.shard = o.shard;
  grid.settings.reportPath = o.shard ? partPath(o.report, o.shard->index, o.shard->count) : o.report;
  return std::nullopt;
}

MapGrid mapGridOf(const qvsweep::SweepSettings& s) {
  return {s.latitudeFrom,  s.latitudeTo,  std::fabs(s.latitudeStep) / 60,
          s.longitudeFrom, s.longitudeTo, std::fabs(s.longitudeStep) / 60};
}

// What a file that is neither a folder nor a regular file is.
const char* specialKind(const std::filesystem::file_status& s) {
  namespace fs = std::filesystem;
  if (fs::is_fifo(s)) return "a FIFO";
  if (fs::is_character_file(s) || fs::is_block_file(s)) return "a device";
  if (fs::is_socket(s)) return "a socket";
  return "a special file";
}

// Why the map cannot be written at `path`, without creating it; empty if it
// can.  A map is written whole into a regular file: a FIFO would hold the
// finished sweep until a reader came, and a device keeps no map.
std::string unwritable(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::path p(path);
  const fs::file_status status = fs::status(p, ec);
  const bool exists = fs::exists(status);
  if (fs::is_directory(status)) return "it is a folder";
  if (exists && !fs::is_regular_file(status))
    return std::string("it is ") + specialKind(status) + ", not a regular file";
  const fs::path folder = p.has_parent_path() ? p.parent_path() : fs::path(".");
  if (access(exists ? path.c_str() : folder.c_str(), W_OK) != 0) return std::strerror(errno);
  return {};
}

// Whether two paths name one file: the same file (a link, a hard link) where
// both exist, the same place where one does not yet.
bool samePlace(const std::string& a, const std::string& b) {
  namespace fs = std::filesystem;
  std::error_code ec;
  if (fs::exists(a, ec) && fs::exists(b, ec)) return fs::equivalent(a, b, ec) && !ec;
  return resolvedPath(a) == resolvedPath(b);
}

// The report files of the sweep: its report, and for a shard its part and
// summary too (the merge writes the report).
std::vector<std::string> reportFiles(const Options& o) {
  if (!o.shard) return {o.report};
  return {o.report, partPath(o.report, o.shard->index, o.shard->count),
          summaryPath(o.report, o.shard->index, o.shard->count)};
}

// Why the map cannot go to its path: it cannot be written there, or a
// report file lies there; empty if it can.
std::string mapPlaceProblem(const Options& o) {
  if (std::string why = unwritable(o.map); !why.empty()) return why;
  for (const std::string& f : reportFiles(o))
    if (samePlace(o.map, f)) return "it is the report '" + f + "'";
  return {};
}

// The map's drawing function, refused before the sweep runs where the map
// cannot be drawn or written, or would be written over the report.
DrawMapFunction mapDrawer(const Options& o, std::ostream& err) {
  std::string problem;
  const DrawMapFunction drawPng = loadMapDrawer(problem);
  if (!drawPng) {
    err << "qvcode: sweep: cannot draw maps: " << problem << '\n';
    return nullptr;
  }
  if (const std::string why = mapPlaceProblem(o); !why.empty()) {
    err << "qvcode: sweep: cannot write the map '" << o.map << "': " << why << '\n';
    return nullptr;
  }
  return drawPng;
}

std::string quoted(const std::string& s) { return "\u201c" + s + "\u201d"; }

// What was swept and what came out, above the map.
std::vector<std::string> mapTitle(const SettledGrid& grid, const qvsweep::SweepResult& result, const SweepMap& map,
                                  const std::string& stopped) {
  const SweepTexts& t = grid.texts;
  const bool storeAll = grid.settings.storeAll;
  std::string inputs = "latitude " + t.latitudeFrom + " to " + t.latitudeTo + " by " + t.latitudeStep +
                       "\u2032 \u00b7 longitude " + t.longitudeFrom + " to " + t.longitudeTo + " by " +
                       t.longitudeStep + "\u2032 \u00b7 ";
  char tolerance[32];
  std::snprintf(tolerance, sizeof tolerance, "%g", grid.settings.toleranceSeconds);
  inputs +=
      storeAll ? "store all" : "tolerance " + quoted(t.tolerance) + " = " + tolerance + "\u2033 \u00b7 store errors";
  std::string counts = std::to_string(result.cases) + (result.cases == 1 ? " case" : " cases");
  counts += storeAll ? " (not judged)" : " \u00b7 " + std::to_string(result.errors) + " error cases";
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

// The map of what was swept, also of a sweep that stopped on its way; false
// when it could not be written (said on `err`), which leaves no part of it.
bool drawMap(const Options& o, const SettledGrid& grid, const qvsweep::SweepResult& result, SweepMap& map,
             SweepWatch& watch, DrawMapFunction drawPng, std::ostream& err) {
  const std::string stopped = watch.stoppedBy() != 0 ? watch.stopReason()
                              : result.failure       ? "the sweep stopped on an error"
                                                     : "";
  std::string png;
  // The report may have come into being beside a link since the sweep
  // began, or a FIFO in the map's place.
  if (const std::string why = mapPlaceProblem(o); !why.empty()) {
    err << "qvcode: sweep: cannot write the map '" << o.map << "': " << why << '\n';
    return false;
  }
  MapPicture picture = map.picture(mapTitle(grid, result, map, stopped), !o.storeAll, grid.settings.toleranceSeconds);
  if (o.mapSize) {
    picture.pictureWidth = o.mapSize->width;
    picture.pictureHeight = o.mapSize->height;
  }
  std::string problem = drawPng(picture, png);
  if (problem.empty()) {
    try {
      WholeFile file(o.map, [&watch] { return watch.stopRequested() ? watch.stoppedBy() : 0; });
      file.write(png);
      file.commit();
    } catch (const WholeFileError& e) {
      err << "qvcode: sweep: " << e.what() << '\n';
      return false;
    }
  }
  if (!problem.empty()) err << "qvcode: sweep: cannot write the map '" << o.map << "': " << problem << '\n';
  return problem.empty();
}

// A shard that ran its columns, or stopped in them as the whole sweep would,
// leaves a summary for the merge; false when it could not (said on `err`).
bool writeShardSummary(const Options& o, const SettledGrid& grid, const qvsweep::SweepResult& result, double seconds,
                       std::ostream& err) {
  ShardSummary s;
  s.index = o.shard->index;
  s.count = o.shard->count;
  s.grid = gridText(o.storeAll, o.texts);
  s.firstColumn = result.columns.first;
  s.endColumn = result.columns.end;
  s.columnsTotal = result.columnsTotal;
  s.cases = result.cases;
  s.errors = result.errors;
  std::error_code ec;
  s.bytes = std::filesystem::file_size(grid.settings.reportPath, ec);
  s.worstLatitude = result.worstLatitude;
  s.worstLongitude = result.worstLongitude;
  s.firstError = result.firstError;
  s.seconds = seconds;
  if (result.stopReason) {
    s.stopReason = result.stopReason;
    s.stopLatitude = result.latitude.value_or(0);
    s.stopLongitude = result.longitude.value_or(0);
  }
  try {
    writeSummary(summaryPath(o.report, s.index, s.count), s);
  } catch (const std::exception& e) {
    err << "qvcode: " << e.what() << '\n';
    return false;
  }
  return true;
}

// A grid larger than this machine sweeps in an hour is announced before it
// starts, with how to stop it: at a few million cases a second a core,
// 10^10 cases are about a core's hour.  A step too small to move its loop
// value on stops the sweep at once, with its own message.
void warnOfLongSweep(const qvsweep::SweepSettings& s, std::ostream& err) {
  constexpr double casesPerCoreHour = 1e10;
  const auto movesOn = [](double from, double stepMinutes) { return from - stepMinutes / 60 != from; };
  if (!movesOn(s.latitudeFrom, s.latitudeStep) || !movesOn(s.longitudeFrom, s.longitudeStep)) return;
  const double cases = qvsweep::estimatedCases(s);
  if (!(cases > casesPerCoreHour * std::max(1U, std::thread::hardware_concurrency()))) return;
  char text[64];
  std::snprintf(text, sizeof text, "%.2g", cases);
  err << "qvcode: sweep: this grid has about " << text
      << " cases, more than an hour's work for this machine; Ctrl-C stops it, keeping the report's lines\n";
}

}  // namespace

int runSweep(Args args, std::ostream& out, std::ostream& err) {
  Options o;
  if (const Problem problem = readOptions(args, o)) return usageError(err, *problem);
  // A summary left by an earlier run of this shard must not outlive a
  // failing one.
  if (o.shard) std::remove(summaryPath(o.report, o.shard->index, o.shard->count).c_str());

  DrawMapFunction drawPng = nullptr;
  if (!o.map.empty() && !(drawPng = mapDrawer(o, err))) return exitUsage;

  SettledGrid grid;
  if (const std::optional<std::string> failure = settleGrid(o, grid)) {
    err << "qvcode: sweep failed: " << *failure << '\n';
    return exitUsage;
  }
  std::optional<SweepMap> map;
  if (drawPng)
    map.emplace(o.mapSize ? std::optional(mapAreaIn(*o.mapSize)) : std::nullopt,
                [&grid] { return mapGridOf(grid.settings); });
  SweepWatch watch(
      isatty(STDERR_FILENO) ? &err : nullptr, [&grid] { return mapGridOf(grid.settings); }, map ? &*map : nullptr,
      [&grid] {
        grid.texts.longitudeFrom = "180";
        grid.settings.longitudeFrom = 180;
      });

  warnOfLongSweep(grid.settings, err);
  const auto start = std::chrono::steady_clock::now();
  const qvsweep::SweepResult result = qvsweep::runSweep(grid.settings, &watch);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  watch.finish();

  const bool mapWritten =
      map && (!result.failure || result.cases > 0) && drawMap(o, grid, result, *map, watch, drawPng, err);
  // A signal that stopped the map's writing, after the sweep had ended.
  if (!result.failure && watch.stoppedBy() != 0) return exitStoppedBy(watch.stoppedBy());
  if (o.shard && watch.stoppedBy() == 0 && (!result.failure || (result.stopReason && !result.reportRefused)) &&
      !writeShardSummary(o, grid, result, seconds, err))
    return exitUsage;
  if (result.failure) {
    // A signal during a write to a terminal may have left the stream failed.
    err.clear();
    if (watch.stoppedBy() != 0) {
      err << "qvcode: " << *result.failure << '\n';
      return exitStoppedBy(watch.stoppedBy());
    }
    err << "qvcode: sweep failed: " << *result.failure << '\n';
    return exitUsage;
  }
  printSweepSummary(out,
                    {result.cases, result.errors, result.worstLatitude, result.worstLongitude, result.firstError,
                     seconds, mapWritten ? o.map : std::string()},
                    grid.settings.reportPath, o.json);
  if (map && !mapWritten) return exitUsage;
  return result.errors > 0 ? exitErrorCases : exitOk;
}

}  // namespace qvcode
