// Sweeps that cannot start or cannot finish: each says why in its failure,
// keeps what it wrote, leaves no closing line, and counts what it says.

#ifndef _WIN32
#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <unistd.h>
#endif

#include <filesystem>
#include <functional>
#include <string_view>

#include "sweep/tests/sweep_fixture.hpp"

namespace qvsweep {
namespace {

using SweepStop = SweepTest;

bool contains(const std::string& s, std::string_view part) { return s.find(part) != std::string::npos; }

// Stops the sweep before case `stopAt`.
class StopAt : public SweepObserver {
 public:
  explicit StopAt(std::int64_t stopAt) : stopAt_(stopAt) {}
  bool stopRequested() override { return ++asked_ >= stopAt_; }

 private:
  std::int64_t stopAt_, asked_ = 0;
};

// Tallies the cases handed on to an observer.
class CaseTally : public SweepObserver {
 public:
  bool wantsCases() const override { return true; }
  void casesTaken(std::span<const SweptCase> cases) override {
    for (const SweptCase& c : cases) {
      ++cases_;
      if (c.errorCase) ++errors_;
    }
  }
  std::int64_t cases_ = 0, errors_ = 0;
};

TEST_F(SweepStop, SettingsThatCannotStartWriteNothing) {
  struct Start {
    const char* name;
    std::function<void(SweepSettings&)> set;
    const char* failure;
  };
  const Start starts[] = {
      {"a tolerance without a size in metres", [](SweepSettings& s) { s.toleranceSeconds = 1e307; },
       "The sweep could not start: Run-time error 6: Overflow"},
      {"a latitude step of 0", [](SweepSettings& s) { s.latitudeStep = 0; },
       "The sweep could not start: the latitude step is 0 minutes, which never moves on"},
      {"a longitude step of 0", [](SweepSettings& s) { s.longitudeStep = -0.0; },
       "The sweep could not start: the longitude step is 0 minutes, which never moves on"},
  };
  for (const Start& start : starts) {
    SCOPED_TRACE(start.name);
    SweepSettings s = settings;
    start.set(s);
    const SweepResult result = runSweep(s);
    EXPECT_EQ(result.failure, start.failure);
    EXPECT_EQ(result.cases, 0);
    EXPECT_FALSE(result.stopReason);
    // Before the file: nothing was written, not even an empty report.
    EXPECT_FALSE(std::filesystem::exists(reportPath()));
  }
}

TEST_F(SweepStop, AReportThatCannotBeOpenedRunsNothing) {
  struct Unopenable {
    std::string path;
    std::vector<std::string> said;
  };
  const Unopenable reports[] = {
      {"/nope/x.txt", {"Cannot open report file '/nope/x.txt': No such file or directory"}},
      {std::filesystem::temp_directory_path().string(), {"Cannot open report file", "Is a directory"}},
  };
  for (const Unopenable& u : reports) {
    SCOPED_TRACE(u.path);
    settings.reportPath = u.path;
    const SweepResult result = runSweep(settings);
    ASSERT_TRUE(result.failure);
    if (u.said.size() == 1) {
      EXPECT_EQ(*result.failure, u.said[0]);
    }
    for (const std::string& part : u.said) EXPECT_TRUE(contains(*result.failure, part)) << *result.failure;
    EXPECT_EQ(result.cases, 0);
    EXPECT_FALSE(result.latitude);
    EXPECT_FALSE(result.stopReason);
  }
}

TEST_F(SweepStop, AFullDiskStopsTheSweepEvenInSkipOnErrorMode) {
  if (!haveFullDevice()) GTEST_SKIP() << "no /dev/full, the device that is always full (POSIX only)";
  settings.reportPath = "/dev/full";
  // Store all, then store errors where nearly every case is one; every case
  // of the default grid runs in skip-on-error mode.
  for (const bool storeAll : {true, false}) {
    SCOPED_TRACE(storeAll ? "store all" : "store errors");
    settings.storeAll = storeAll;
    settings.toleranceSeconds = storeAll ? .001 : 0;
    CaseTally taken;
    const SweepResult result = runSweep(settings, &taken);
    ASSERT_TRUE(result.failure);
    const std::string& message = *result.failure;
    EXPECT_TRUE(contains(message, "Cannot write report file '/dev/full': No space left on device")) << message;
    EXPECT_TRUE(contains(message, "no closing line")) << message;
    EXPECT_TRUE(result.reportRefused);
    // It stopped at the first refused block, long before the end of the grid.
    EXPECT_GT(result.cases, 0);
    EXPECT_LT(result.cases, 256683);
    // The counts are what the message says: the case whose record was
    // refused is counted as a case, and not yet as an error case.
    EXPECT_TRUE(contains(message, "The sweep stopped after " + std::to_string(result.cases) + " cases")) << message;
    // An observer (the headless sweep's map) gets the finished cases only.
    EXPECT_EQ(taken.cases_, result.cases - 1);
    EXPECT_EQ(taken.errors_, result.errors);
  }
}

TEST_F(SweepStop, AFullDiskAtTheClosingLineStopsTheSweepToo) {
  if (!haveFullDevice()) GTEST_SKIP() << "no /dev/full, the device that is always full (POSIX only)";
  settings.reportPath = "/dev/full";
  settings.latitudeFrom = settings.latitudeTo = settings.longitudeFrom = settings.longitudeTo = 1;
#ifndef _WIN32
  // Another writer of the device at the same time refuses nothing: a device
  // keeps no records to interleave.
  const int other = ::open("/dev/full", O_WRONLY | O_CLOEXEC);
  ASSERT_GE(other, 0);
  ::flock(other, LOCK_EX | LOCK_NB);
#endif
  const SweepResult result = runSweep(settings);  // no error case: only the closing line is written
#ifndef _WIN32
  ::close(other);
#endif
  ASSERT_TRUE(result.failure);
  EXPECT_TRUE(contains(*result.failure, "No space left on device")) << *result.failure;
  EXPECT_EQ(result.cases, 1);
}

#ifndef _WIN32
// A limit on the size of the files this process writes, for one scope.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &before_);
    rlimit limited = before_;
    limited.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limited);
  }
  ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &before_); }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit before_{};
};
#endif

TEST_F(SweepStop, ARefusedWriteCutsTheReportBackToItsLastWholeRecord) {
#ifdef _WIN32
  GTEST_SKIP() << "no limit on the size of the files a process writes (POSIX only)";
#else
  const std::string path = reportPath();
  settings.storeAll = true;
  SweepResult result;
  {
    // The limit falls inside a record of the second block.
    const FileSizeLimit limit(100000);
    result = runSweep(settings);
  }
  ASSERT_TRUE(result.failure);
  const std::string& message = *result.failure;
  const std::string bytes = reportBytes();
  EXPECT_LT(bytes.size(), 100000U);
  EXPECT_TRUE(bytes.ends_with("\"\r\n"));
  EXPECT_TRUE(contains(message, "Cannot write report file '" + path + "': File too large.")) << message;
  EXPECT_TRUE(message.ends_with("; the report file '" + path + "' holds " + std::to_string(reportLines().size()) +
                                " whole records and no closing line."))
      << message;
#endif
}

TEST_F(SweepStop, EveryStopChecksItsLastWriteAndSaysWhatTheFileHolds) {
  if (!haveFullDevice()) GTEST_SKIP() << "no /dev/full, the device that is always full (POSIX only)";
  struct Stop {
    const char* name;
    std::function<void(SweepSettings&)> set;
    bool askedToStop;
    const char* cause;
  };
  const Stop stops[] = {
      {"asked to stop", [](SweepSettings&) {}, true, "Sweep interrupted. "},
      {"a latitude that does not move on",
       [](SweepSettings& s) {
         s.latitudeStep = 1e-20;
         s.latitudeFrom = 45, s.latitudeTo = 44;
         s.longitudeFrom = s.longitudeTo = 0;
       },
       false, "The latitude does not move on: "},
  };
  for (const Stop& stop : stops) {
    SCOPED_TRACE(stop.name);
    SweepSettings s = settings;
    s.reportPath = "/dev/full";
    s.storeAll = true;
    stop.set(s);
    StopAt at(100);
    // Store all: the records of the stopped sweep are still in the buffer.
    const SweepResult result = runSweep(s, stop.askedToStop ? &at : nullptr);
    ASSERT_TRUE(result.failure);
    const std::string& message = *result.failure;
    EXPECT_EQ(message.rfind(stop.cause, 0), 0U) << message;
    EXPECT_TRUE(
        message.ends_with("; writing the rest of the report then failed (Cannot write report file "
                          "'/dev/full': No space left on device), so the report file '/dev/full' "
                          "was handed 0 whole records and no closing line."))
        << message;
  }
}

TEST_F(SweepStop, AnInterruptedSweepKeepsItsLinesWithoutClosingLine) {
  StopAt stop(4);
  settings.storeAll = true;
  const SweepResult result = runSweep(settings, &stop);
  ASSERT_TRUE(result.failure);
  EXPECT_TRUE(contains(*result.failure, "Sweep interrupted")) << *result.failure;
  EXPECT_EQ(result.stopReason, "Sweep interrupted");
  const auto lines = reportLines();
  ASSERT_EQ(lines.size(), 3U);
  EXPECT_EQ(result.cases, 3);
  EXPECT_FALSE(contains(lines.back(), "cases="));
}

TEST_F(SweepStop, ALoopThatWouldNotMoveOnIsRefused) {
  struct Loop {
    const char* name;
    SweepTexts typed;
    bool storeAll;
    const char* cause;
    std::int64_t cases;
    std::size_t lines;
  };
  SweepTexts latitude = typedGrid("45", "44", "0", "0");
  latitude.latitudeStep = "1e-20";
  // Both bounds 200 and an upward step: every column starts at 200 > 180 and
  // is moved back to 180, so the loop would never pass 200.
  SweepTexts longitude = typedGrid("1", "1", "200", "200");
  longitude.longitudeStep = "-30";
  const Loop loops[] = {
      {"a step too small to move the latitude", latitude, false, "The latitude does not move on", 1, 0},
      {"a longitude swept back over the eastern clamp", longitude, true, "The longitude does not move on", 1, 1},
  };
  for (const Loop& loop : loops) {
    SCOPED_TRACE(loop.name);
    settings.storeAll = loop.storeAll;
    const SweepResult result = sweepTyped(loop.typed);
    ASSERT_TRUE(result.failure);
    EXPECT_TRUE(contains(*result.failure, loop.cause)) << *result.failure;
    EXPECT_TRUE(contains(*result.failure, "no closing line")) << *result.failure;
    EXPECT_EQ(result.cases, loop.cases);
    EXPECT_EQ(reportLines().size(), loop.lines);  // store errors: the one case held
  }
}

}  // namespace
}  // namespace qvsweep
