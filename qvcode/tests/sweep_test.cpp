// qvcode sweep: options into the boxes, summary and exit status.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "command.hpp"
#include "command_run.hpp"

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
  EXPECT_EQ(out.str(), "cases: 2\nerrors: 0\nreport: " + report + "\n");
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
  for (const char* key : {"\"cases\":2", "\"errors\":0", "\"report\":", "\"worstLatitudeDifference\":",
                          "\"worstLatitudeDifferenceAtLatitude\":", "\"worstLatitudeDifferenceAtLongitude\":10",
                          "\"worstLongitudeDifference\":", "\"worstLongitudeDifferenceAtLatitude\":",
                          "\"elapsedSeconds\":"})
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

}  // namespace
}  // namespace qvcode
