// Sweeps that cannot finish: each stops with a clear message, keeps what it
// wrote, leaves no closing line, and the form stays usable.

#ifndef _WIN32
#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <unistd.h>
#endif

#include <filesystem>
#include <functional>

#include "testprog/tests/form_fixture.hpp"

namespace qvpruef {
namespace {

using FaultPath = FormTest;

bool contains(const std::string& s, std::string_view part) { return s.find(part) != std::string::npos; }

// Stops the sweep before case `stopAt`.
class StopAt : public qvsweep::SweepObserver {
 public:
  explicit StopAt(std::int64_t stopAt) : stopAt_(stopAt) {}
  bool stopRequested() override { return ++asked_ >= stopAt_; }

 private:
  std::int64_t stopAt_, asked_ = 0;
};

// Tallies the cases handed on to an observer.
class CaseTally : public qvsweep::SweepObserver {
 public:
  bool wantsCases() const override { return true; }
  void casesTaken(std::span<const qvsweep::SweptCase> cases) override {
    for (const qvsweep::SweptCase& c : cases) {
      ++cases_;
      if (c.errorCase) ++errors_;
    }
  }
  std::int64_t cases_ = 0, errors_ = 0;
};

TEST_F(FaultPath, AnUnopenableReportIsShownAndNothingRuns) {
  view.setText(Control::fonte, "/nope/x.txt");
  form.pruefe_Click();
  ASSERT_EQ(view.shownErrors().size(), 1U);
  EXPECT_EQ(view.shownErrors()[0], "Cannot open report file '/nope/x.txt': No such file or directory");
  EXPECT_EQ(form.fallzahl, 0);
  EXPECT_FALSE(view.programEnded());

  // The next click works normally.
  view.setText(Control::fonte, reportPath());
  grid("1", "1", "1", "1");
  form.pruefe_Click();
  EXPECT_EQ(view.shownErrors().size(), 1U);
  EXPECT_EQ(reportLines(), std::vector<std::string>{"cases=  1"});
}

TEST_F(FaultPath, AFolderIsNoReportFile) {
  view.setText(Control::fonte, std::filesystem::temp_directory_path().string());
  form.pruefe_Click();
  ASSERT_EQ(view.shownErrors().size(), 1U);
  EXPECT_TRUE(contains(view.shownErrors()[0], "Cannot open report file")) << view.shownErrors()[0];
  EXPECT_TRUE(contains(view.shownErrors()[0], "Is a directory")) << view.shownErrors()[0];
}

TEST_F(FaultPath, AFullDiskStopsTheSweepEvenInSkipOnErrorMode) {
  if (!haveFullDevice()) GTEST_SKIP() << "no /dev/full, the device that is always full (POSIX only)";
  view.setText(Control::fonte, "/dev/full");
  // Store all, then store errors where nearly every case is one.
  for (const bool storeAll : {true, false}) {
    if (storeAll) {
      form.storeall_Click();
    } else {
      form.storeerrors_Click();
      view.setText(Control::fehlersec, "");
    }
    CaseTally taken;
    form.setSweepObserver(&taken);
    form.pruefe_Click();  // every case runs in skip-on-error mode
    form.setSweepObserver(nullptr);
    ASSERT_EQ(view.shownErrors().size(), storeAll ? 1U : 2U);
    const std::string& message = view.shownErrors().back();
    EXPECT_TRUE(contains(message, "Cannot write report file '/dev/full': No space left on device")) << message;
    EXPECT_TRUE(contains(message, "no closing line")) << message;
    // It stopped at the first refused block, long before the end of the grid.
    EXPECT_GT(form.fallzahl, 0);
    EXPECT_LT(form.fallzahl, 256683);
    // The counters say what the message says: the case whose record was
    // refused is counted as a case, and not yet as an error case.
    EXPECT_TRUE(contains(message, "The sweep stopped after " + std::to_string(form.fallzahl) + " cases")) << message;
    EXPECT_EQ(view.text(Control::caseslab), std::to_string(form.fallzahl));
    EXPECT_EQ(view.text(Control::errors), std::to_string(form.fehlerzahl));
    // An observer (the headless sweep's map) gets the finished cases only.
    EXPECT_EQ(taken.cases_, form.fallzahl - 1);
    EXPECT_EQ(taken.errors_, form.fehlerzahl);
  }
}

TEST_F(FaultPath, AFullDiskAtTheClosingLineIsShownToo) {
  if (!haveFullDevice()) GTEST_SKIP() << "no /dev/full, the device that is always full (POSIX only)";
  view.setText(Control::fonte, "/dev/full");
  grid("1", "1", "1", "1");
#ifndef _WIN32
  // Another writer of the device at the same time refuses nothing: a device
  // keeps no records to interleave.
  const int other = ::open("/dev/full", O_WRONLY | O_CLOEXEC);
  ASSERT_GE(other, 0);
  ::flock(other, LOCK_EX | LOCK_NB);
#endif
  form.pruefe_Click();  // no error case: only the closing line is written
#ifndef _WIN32
  ::close(other);
#endif
  ASSERT_EQ(view.shownErrors().size(), 1U);
  EXPECT_TRUE(contains(view.shownErrors()[0], "No space left on device")) << view.shownErrors()[0];
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

TEST_F(FaultPath, ARefusedWriteCutsTheReportBackToItsLastWholeRecord) {
#ifdef _WIN32
  GTEST_SKIP() << "no limit on the size of the files a process writes (POSIX only)";
#else
  const std::string path = reportPath();
  form.storeall_Click();
  {
    // The limit falls inside a record of the second block.
    const FileSizeLimit limit(100000);
    form.pruefe_Click();
  }
  ASSERT_EQ(view.shownErrors().size(), 1U);
  const std::string& message = view.shownErrors()[0];
  const std::string bytes = reportBytes();
  EXPECT_LT(bytes.size(), 100000U);
  EXPECT_TRUE(bytes.ends_with("\"\r\n"));
  EXPECT_TRUE(contains(message, "Cannot write report file '" + path + "': File too large.")) << message;
  EXPECT_TRUE(message.ends_with("; the report file '" + path + "' holds " + std::to_string(reportLines().size()) +
                                " whole records and no closing line."))
      << message;
#endif
}

TEST_F(FaultPath, EveryStopChecksItsLastWriteAndSaysWhatTheFileHolds) {
  if (!haveFullDevice()) GTEST_SKIP() << "no /dev/full, the device that is always full (POSIX only)";
  struct Stop {
    const char* name;
    std::function<void()> setUp;
    const char* cause;
  };
  StopAt stop(100);
  const Stop stops[] = {
      {"asked to stop", [&] { form.setSweepObserver(&stop); }, "Sweep interrupted. "},
      {"a latitude that does not move on",
       [&] {
         view.setText(Control::Bstep, "1e-20");
         grid("45", "44", "0", "0");
       },
       "The latitude does not move on: "},
  };
  for (const Stop& s : stops) {
    SCOPED_TRACE(s.name);
    MemoryView fresh;
    view = fresh;
    form.setSweepObserver(nullptr);
    view.setText(Control::fonte, "/dev/full");
    form.storeall_Click();
    s.setUp();
    // Store-all: the records of the stopped sweep are still in the buffer.
    form.pruefe_Click();
    ASSERT_EQ(view.shownErrors().size(), 1U);
    const std::string& message = view.shownErrors()[0];
    EXPECT_EQ(message.rfind(s.cause, 0), 0U) << message;
    EXPECT_TRUE(message.ends_with("; writing the rest of the report then failed (Cannot write report file "
                                  "'/dev/full': No space left on device), so the report file '/dev/full' "
                                  "was handed 0 whole records and no closing line."))
        << message;
  }
}

TEST_F(FaultPath, AnInterruptedSweepKeepsItsLinesWithoutClosingLine) {
  StopAt stop(4);
  form.setSweepObserver(&stop);
  form.storeall_Click();
  form.pruefe_Click();
  ASSERT_EQ(view.shownErrors().size(), 1U);
  EXPECT_TRUE(contains(view.shownErrors()[0], "Sweep interrupted")) << view.shownErrors()[0];
  const auto lines = reportLines();
  ASSERT_EQ(lines.size(), 3U);
  EXPECT_EQ(form.fallzahl, 3);
  EXPECT_FALSE(contains(lines.back(), "cases="));
}

TEST_F(FaultPath, ASouthernBoundBeyondThePoleEndsEachColumnAtThePole) {
  // -95 is no filtered bound: the pole's case (moved to -89.9) is the last of
  // its column instead of the start of an endless walk back north.
  form.storeall_Click();
  grid("-89", "-95", "10", "9.5");
  form.pruefe_Click();
  ASSERT_TRUE(view.shownErrors().empty());
  const auto lines = reportLines();
  ASSERT_EQ(lines.size(), 7U);
  EXPECT_TRUE(contains(lines[0], " lat -89  long  10 "));
  EXPECT_TRUE(contains(lines[1], " lat -89.5  long  10 "));
  EXPECT_TRUE(contains(lines[2], " lat -89.9  long  10 "));
  EXPECT_TRUE(contains(lines[3], " lat -89  long  9.5 "));
  EXPECT_EQ(lines.back(), "cases=  6");

  // A step too small to leave -89.9 behind ends the column there as well.
  view.setText(Control::Bstep, "3");
  grid("-89.9", "-95", "0", "0");
  form.pruefe_Click();
  EXPECT_EQ(form.fallzahl, 3);  // -89.9, -89.95, -90 moved to -89.9
}

TEST_F(FaultPath, AStepTooSmallToMoveTheLatitudeIsRefused) {
  view.setText(Control::Bstep, "1e-20");
  grid("45", "44", "0", "0");
  form.pruefe_Click();
  ASSERT_EQ(view.shownErrors().size(), 1U);
  const std::string& message = view.shownErrors()[0];
  EXPECT_TRUE(contains(message, "The latitude does not move on")) << message;
  EXPECT_TRUE(contains(message, "no closing line")) << message;
  EXPECT_EQ(form.fallzahl, 1);
  EXPECT_EQ(reportLines().size(), 0U);  // store-errors: the one case held
}

TEST_F(FaultPath, ALongitudeSweptBackOverTheEasternClampIsRefused) {
  // Both bounds 200 and an upward step: every column starts at 200 > 180 and
  // is moved back to 180, so the loop would never pass 200.
  view.setText(Control::Lstep, "-30");
  grid("1", "1", "200", "200");
  form.storeall_Click();
  form.pruefe_Click();
  ASSERT_EQ(view.shownErrors().size(), 1U);
  EXPECT_TRUE(contains(view.shownErrors()[0], "The longitude does not move on")) << view.shownErrors()[0];
  EXPECT_EQ(reportLines().size(), 1U);
}

TEST_F(FaultPath, AnOverflowingBoundIsARunTimeError) {
  grid("1e400", "0", "0", "0");
  form.pruefe_Click();
  ASSERT_EQ(view.shownErrors().size(), 1U);
  EXPECT_EQ(view.shownErrors()[0], "The sweep could not start: Run-time error 6: Overflow");
  // Before the file: nothing was written, not even an empty report.
  EXPECT_FALSE(std::filesystem::exists(reportPath()));
}

}  // namespace
}  // namespace qvpruef
