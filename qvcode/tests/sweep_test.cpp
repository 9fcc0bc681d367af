// qvcode sweep: options into the boxes, summary and exit status.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <functional>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "qvcode/command.hpp"
#include "qvcode/tests/command_run.hpp"
#include "qvcode/shard.hpp"
#include "qvcode/sweep_watch.hpp"

namespace qvcode {
namespace {

namespace fs = std::filesystem;

class Sweep : public qvcode::testing::FolderTest {
 protected:
  Sweep() : FolderTest("qvcode-sweep-") {}

  int run(std::vector<std::string> args) {
    const std::vector<std::string_view> views(args.begin(), args.end());
    out.str({});
    err.str({});
    return runSweep(Args(views), out, err);
  }

  std::ostringstream out, err;
};

TEST_F(Sweep, OptionsAreTypedIntoTheBoxesUnchanged) {
  const std::string report = path("r.txt");
  // 95 is swept as typed (no range filter without Enter); "abc" as a step
  // reads 0 and becomes one degree.
  EXPECT_EQ(run({"--store", "all", "--report", report, "--lat-from", "95", "--lat-to=94", "--lat-step", "abc",
                 "--lon-from", "10", "--lon-to", "10"}),
            exitOk);
  EXPECT_EQ(out.str(),
            "cases: 2\nerrors: 0\n"
            "worst latitude difference: 3.6e+04 seconds of arc at latitude 95, longitude 10\n"
            "worst longitude difference: 6.37e+05 seconds of arc at latitude 94, longitude 10\n"
            "report: " +
                report + "\n");
  const std::string bytes = read(report);
  EXPECT_EQ(bytes.rfind("\" lat  95  long  10 ", 0), 0U) << bytes;
  EXPECT_NE(bytes.find("\" lat  94  long  10 "), std::string::npos) << bytes;
  EXPECT_TRUE(bytes.ends_with("\"cases=  2\"\r\n"));
}

TEST_F(Sweep, TheDefaultReportLiesInTheCurrentFolder) {
  const fs::path before = fs::current_path();
  fs::current_path(folder());
  const int status = run({"--lat-from", "1", "--lat-to", "1", "--lon-from", "1", "--lon-to", "1"});
  fs::current_path(before);
  EXPECT_EQ(status, exitOk);
  EXPECT_EQ(read(path("QV_errorDetect.txt")), "\"cases=  1\"\r\n");
}

TEST_F(Sweep, ErrorCasesGiveExitStatusOne) {
  // Tolerance 0: a round trip that is off by any amount is an error case.
  EXPECT_EQ(run({"--report", path("r.txt"), "--tolerance", "", "--lat-from", "10", "--lat-to", "9", "--lon-from", "20",
                 "--lon-to", "19"}),
            exitRuntimeError);
  EXPECT_NE(out.str().find("cases: 9\n"), std::string::npos);
  EXPECT_EQ(out.str().find("errors: 0\n"), std::string::npos);
}

TEST_F(Sweep, JsonSummaryNamesTheWorstDifferencesAndWhereTheyOccurred) {
  EXPECT_EQ(run({"--json", "--report", path("r.txt"), "--lat-from", "50", "--lat-to", "49.5", "--lon-from", "10",
                 "--lon-to", "10"}),
            exitOk);
  const std::string json = out.str();
  for (const char* key :
       {"\"cases\":2", "\"errors\":0", "\"report\":", "\"worstLatitudeDifference\":",
        "\"worstLatitudeDifferenceAtLatitude\":", "\"worstLatitudeDifferenceAtLongitude\":10",
        "\"worstLongitudeDifference\":", "\"worstLongitudeDifferenceAtLatitude\":",
        "\"worstLongitudeDifferenceArcSeconds\":", "\"firstErrorLatitude\":null", "\"elapsedSeconds\":"})
    EXPECT_NE(json.find(key), std::string::npos) << key << " in " << json;
  EXPECT_TRUE(json.starts_with("{") && json.ends_with("}\n")) << json;
}

TEST_F(Sweep, UsageErrorsGiveExitStatusTwo) {
  EXPECT_EQ(run({"--lat-from"}), exitUsage);
  EXPECT_NE(err.str().find("--lat-from needs a value"), std::string::npos) << err.str();
  EXPECT_EQ(run({"--store", "some"}), exitUsage);
  EXPECT_EQ(run({"--colour", "red"}), exitUsage);
  EXPECT_NE(err.str().find("unknown option '--colour'"), std::string::npos) << err.str();
}

TEST_F(Sweep, AFailedSweepGivesExitStatusTwoWithItsMessage) {
  EXPECT_EQ(run({"--report", "/nope/x.txt"}), exitUsage);
  EXPECT_EQ(out.str(), "");
  EXPECT_EQ(err.str(), "qvcode: sweep failed: Cannot open report file '/nope/x.txt': No such file or directory\n");
}

// The summary without its time, which differs from run to run.
std::string withoutTime(const std::string& out) {
  const std::size_t at = out.find(",\"elapsedSeconds\":");
  return at == std::string::npos ? out : out.substr(0, at) + "}\n";
}

TEST_F(Sweep, AGridOfMoreThanAnHoursWorkIsAnnouncedAndStopsOnCtrlC) {
  // Ctrl-C a moment after the start.
  std::thread ctrlC([] {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    kill(getpid(), SIGINT);
  });
  EXPECT_EQ(run({"--report", path("r.txt"), "--lat-step", "1e-6", "--jobs", "1"}), 130);
  ctrlC.join();
  EXPECT_EQ(err.str().rfind("qvcode: sweep: this grid has about 7.7e+12 cases, more than an hour's work for this "
                            "machine; Ctrl-C stops it, keeping the report's lines\n",
                            0),
            0U)
      << err.str();
}

TEST(SweepWatch, TheBarShowsHowFarTheRateAndTheTimeLeft) {
  std::ostringstream bar;
  SweepWatch watch(
      &bar, [] { return MapGrid{89, -89, 0.5, 180, -179, 0.5}; }, nullptr, [] {});
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  // Half the columns done, and half of the next one.
  qvsweep::SweepProgress p;
  p.cases = 1000;
  p.longitude = 0.5;
  p.latitude = 0;
  watch.progressed(p);
  for (const char* part : {"] 50%  1000 cases  ", " M/s  ", " s left"})
    EXPECT_NE(bar.str().find(part), std::string::npos) << part << " in " << bar.str();
}

TEST_F(Sweep, ShardsMergedAndThreadsGiveWhatOneProcessOnOneThreadGives) {
  const std::vector<std::vector<std::string>> grids = {
      {"--json", "--lat-step", "90", "--lon-step", "75"},
      {"--store", "all", "--lat-step", "90", "--lon-step", "90"},
      {"--tolerance", "0", "--json", "--lat-step", "60", "--lon-step", "120"},
      // Stops in a case: the shards after it are dropped.
      {"--lat-from", "48.3", "--lat-to", "48", "--lat-step", "0.13", "--lon-from", "11.7", "--lon-to", "11.4",
       "--lon-step", "0.05", "--store", "all"},
      // Stops in the walk of the first column.
      {"--lat-step", "1e-20", "--lat-from", "45", "--lat-to", "44"},
      // A longitude that does not move on: one column.
      {"--lon-step", "1e-20", "--lon-from", "45", "--lon-to", "44", "--store", "all"},
      {"--lon-from", "200", "--lon-to", "190", "--store", "all", "--lat-from", "1", "--lat-to", "0"},
  };
  const std::string report = path("r.txt");
  for (const auto& grid : grids) {
    SCOPED_TRACE(::testing::PrintToString(grid));
    const auto sweep = [&](std::vector<std::string> extra) {
      extra.insert(extra.end(), {"--report", report});
      extra.insert(extra.end(), grid.begin(), grid.end());
      return run(extra);
    };
    const int status = sweep({"--jobs", "1"});
    const std::string bytes = read(report), summary = withoutTime(out.str()), message = err.str();
    EXPECT_TRUE(status != exitUsage || message.find("The sweep stopped after") != std::string::npos) << message;

    for (const char* jobs : {"2", "3"}) {
      fs::remove(report);
      EXPECT_EQ(sweep({"--jobs", jobs}), status);
      EXPECT_EQ(withoutTime(out.str()), summary);
      EXPECT_EQ(err.str(), message);
      EXPECT_TRUE(read(report) == bytes) << "--jobs " << jobs;
    }
    for (const int n : {1, 3, 5}) {
      for (const auto& e : fs::directory_iterator(folder())) fs::remove(e.path());
      for (int k = 1; k <= n; ++k) sweep({"--jobs", "2", "--shard", std::to_string(k) + "/" + std::to_string(n)});
      std::vector<std::string> merge = {report};
      if (std::ranges::find(grid, "--json") != grid.end()) merge.insert(merge.begin(), "--json");
      const std::vector<std::string_view> views(merge.begin(), merge.end());
      out.str({});
      err.str({});
      EXPECT_EQ(runMerge(Args(views), out, err), status) << n << " shards";
      EXPECT_EQ(withoutTime(out.str()), summary) << n << " shards";
      EXPECT_EQ(err.str(), message) << n << " shards";
      EXPECT_TRUE(read(report) == bytes) << n << " shards";
    }
  }
}

TEST_F(Sweep, MergeRefusesPartsThatAreNotOneWholeSweep) {
  const std::string report = path("r.txt");
  const std::vector<std::string> grid = {"--report", report, "--lat-step", "120", "--lon-step", "120"};
  const auto shard = [&](const std::string& k, std::vector<std::string> extra = {}) {
    extra.insert(extra.begin(), grid.begin(), grid.end());
    extra.insert(extra.end(), {"--shard", k});
    return run(extra);
  };
  const auto merge = [&] {
    const std::vector<std::string_view> views = {report};
    out.str({});
    err.str({});
    return runMerge(Args(views), out, err);
  };
  // Sets one line of a shard's summary.
  const auto setLine = [&](std::size_t k, std::size_t n, const std::string& name, const std::string& value) {
    const std::string summary = summaryPath(report, k, n);
    std::string text = read(summary);
    const std::size_t at = text.find("\n" + name + "\t") + 1;
    text.replace(at, text.find('\n', at) - at, name + "\t" + value);
    std::ofstream(summary, std::ios::binary) << text;
  };
  struct Case {
    const char* name;
    std::function<void()> make;
    std::string complaint;
  };
  const std::vector<Case> cases = {
      {"no shards", [] {}, "no shard summary"},
      {"a missing shard", [&] { shard("1/3"), shard("3/3"); }, "shard 2 of 3 is missing"},
      {"a missing part", [&] { shard("1/2"), shard("2/2"), fs::remove(partPath(report, 2, 2)); }, "is missing"},
      {"a shard of other options",
       [&] {
         shard("1/2"), shard("2/2", {"--tolerance", "0"});
       },
       "another sweep"},
      {"a part changed since",
       [&] {
         shard("1/2"), shard("2/2");
         std::ofstream(partPath(report, 1, 2), std::ios::app) << "\"x\"\r\n";
       },
       "not the 0 it was written with"},
      {"two counts of shards", [&] { shard("1/2"), shard("2/2"), shard("1/3"); }, "different counts of shards"},
      // The size it was checked by says nothing of whether it reads: this
      // empty part fails at its first byte.
      {"a part that cannot be read",
       [&] {
         shard("1/2"), shard("2/2");
         ASSERT_EQ(fs::file_size(partPath(report, 1, 2)), 0U);
         fs::remove(partPath(report, 1, 2));
         fs::create_symlink("/proc/self/mem", partPath(report, 1, 2));
       },
       "cannot read '"},
      {"the report a link to a part",
       [&] {
         shard("1/2"), shard("2/2");
         fs::remove(report);
         fs::create_symlink(partPath(report, 2, 2), report);
       },
       "(a link to it)"},
      {"the report a hard link to a part",
       [&] {
         shard("1/2"), shard("2/2");
         fs::remove(report);
         fs::create_hard_link(partPath(report, 2, 2), report);
       },
       "(a link to it)"},
      {"an empty summary of 0 shards", [&] { std::ofstream(report + ".1-of-0.summary"); }, "at least one shard"},
      {"a count with a leading zero",
       [&] { shard("1/2"), shard("2/2"), fs::rename(summaryPath(report, 1, 2), report + ".1-of-02.summary"); },
       "not spelled as qvcode spells it (2)"},
      {"a count beyond any", [&] { std::ofstream(report + ".1-of-99999999999999999999.summary"); },
       "more than any sweep has columns"},
      {"a negative count of cases", [&] { shard("1/2"), shard("2/2"), setLine(1, 2, "cases", "-5000"); },
       "line 'cases\t-5000': a count cannot be negative"},
      {"more error cases than cases",
       [&] { shard("1/2"), shard("2/2"), setLine(2, 2, "errors", "9223372036854775807"); },
       "the error cases must be 0 to the cases"},
      {"counts that overflow",
       [&] {
         shard("1/2"), shard("2/2");
         for (const std::size_t k : {1, 2})
           setLine(k, 2, "cases", "9223372036854775807"), setLine(k, 2, "errors", "9223372036854775807");
       },
       "add up beyond"},
      {"a negative time", [&] { shard("1/2"), shard("2/2"), setLine(1, 2, "seconds", "-1"); }, "line 'seconds\t-1'"},
      {"columns out of order", [&] { shard("1/2"), shard("2/2"), setLine(1, 2, "columns", "9 3 18"); }, "in order"},
      // A summary's numbers against its part and its grid, each refusal
      // naming the summary's number and the part's.
      {"more cases than its columns hold", [&] { shard("1/2"), shard("2/2"), setLine(1, 2, "cases", "1000000000000"); },
       "r.txt.1-of-2.summary': it counts 1000000000000 cases, but its 90 columns of 90 latitudes hold 8100"},
      {"fewer error cases than its part holds",
       [&] {
         shard("1/2", {"--tolerance", "0"}), shard("2/2", {"--tolerance", "0"}), setLine(1, 2, "errors", "0");
       },
       "it counts 0 error cases, but its part '" + partPath(report, 1, 2) + "' holds 7850 error lines"},
      {"a first error case that is not its part's first line",
       [&] {
         shard("1/2", {"--tolerance", "0"}), shard("2/2", {"--tolerance", "0"}), setLine(2, 2, "first-error", "1 2");
       },
       "its first error case lies at latitude 1, longitude 2, but the first line of its part"},
      {"a part of every case with a case more",
       [&] {
         shard("1/2", {"--store", "all"}), shard("2/2", {"--store", "all"}), setLine(2, 2, "cases", "8101");
       },
       "it counts 8101 cases, but its part '" + partPath(report, 2, 2) + "' holds 8100 case lines"},
      {"a part of every case whose first and last lines changed places",
       [&] {
         shard("1/2", {"--store", "all"}), shard("2/2", {"--store", "all"});
         std::string bytes = read(partPath(report, 1, 2));
         const std::size_t second = bytes.find("\r\n") + 2, last = bytes.rfind("\r\n", bytes.size() - 3) + 2;
         bytes = bytes.substr(last) + bytes.substr(second, last - second) + bytes.substr(0, second);
         std::ofstream(partPath(report, 1, 2), std::ios::binary) << bytes;
       },
       "the first line of its part '" + partPath(report, 1, 2) +
           "' lies at latitude -89, but its columns begin at "
           "latitude 89"},
      {"a part without record ends",
       [&] {
         shard("1/2"), shard("2/2");
         std::ofstream(partPath(report, 2, 2), std::ios::binary) << std::string(200000, 'x');
         setLine(2, 2, "bytes", "200000");
       },
       "without the end of a record"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (const auto& e : fs::directory_iterator(folder())) fs::remove(e.path());
    // A report that was there before: a merge that fails leaves it as it was.
    std::ofstream(report, std::ios::binary) << "\"the old report\"\r\n";
    const std::string before = read(report);
    c.make();
    const std::uintmax_t part = fs::exists(partPath(report, 2, 2)) ? fs::file_size(partPath(report, 2, 2)) : 0;
    EXPECT_EQ(merge(), exitUsage);
    EXPECT_NE(err.str().find(c.complaint), std::string::npos) << err.str();
    if (!fs::is_symlink(report) && fs::hard_link_count(report) == 1) {
      EXPECT_EQ(read(report), before);
    }
    if (fs::exists(partPath(report, 2, 2))) {
      EXPECT_EQ(fs::file_size(partPath(report, 2, 2)), part);
    }
  }
}

}  // namespace
}  // namespace qvcode
