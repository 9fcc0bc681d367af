// The grid a sweep walks, as typed: its order, counts, drift, the settled
// steps and ranges, bounds moved by the input adjustment, and the loop
// values it ends with.

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "sweep/tests/sweep_fixture.hpp"

namespace qvsweep {
namespace {

SweepTexts withSteps(SweepTexts t, const char* latitudeStep, const char* longitudeStep = "30.00") {
  t.latitudeStep = latitudeStep;
  t.longitudeStep = longitudeStep;
  return t;
}

// A line of the report: the whole line, or its start.
struct Line {
  std::size_t index;
  std::string text;
  bool whole = false;
};

struct Grid {
  const char* name;
  SweepTexts texts;
  bool storeAll;
  std::int64_t cases;
  std::vector<Line> lines = {};
  std::optional<std::string> bytes = {};
  // The loop values after the sweep: one step past their bounds.
  std::optional<std::pair<double, double>> end = {};
  int eastClamps = 0;  // columns whose first case moved the longitude to 180
};

// The rows run in order on one report file: each sweep writes it anew.
const std::vector<Grid> grids = {
    // No round trip of the default grid is off by more than .001 seconds.
    {"the default grid", {}, false, 256683, {}, "\"cases=  256683\"\r\n", std::pair{-89.5, -179.5}},
    {"columns run from the north-east westwards",
     typedGrid("89", "-89", "180", "179.5"),
     true,
     714,
     {{0, " lat  89  long  180     m12:22.3  r4763.3   lat 89.0000 long 180", true},
      {1, " lat  88.5  long  180 "},
      {356, " lat -89  long  180 "},
      {357, " lat  89  long  179.5 "}}},
    {"the last case of the default grid",
     typedGrid("-89", "-89", "-179", "-179"),
     true,
     1,
     {{0, " lat -89  long -179     m5:2148.6  r15467.3   lat -88.999 long -179.00", true}}},
    {"a 10' latitude step drifts", withSteps(typedGrid("89", "-89", "0", "0"), "10"), false, 1068},
    {"a 1' longitude step drifts", withSteps(typedGrid("0", "0", "180", "-179"), "30.00", "1"), false, 21540},
    {"steps of 0 and of no text become one degree", withSteps(typedGrid("2", "0", "2", "0"), "0", ""), false, 9},
    {"a step without a number becomes one degree", withSteps(typedGrid("2", "0", "2", "0"), "abc", "30"), false, 15},
    {"an inverted range shrinks to its upper bound",
     typedGrid("10", "20", "5", "6.5"),
     true,
     1,
     {{0, " lat  10  long  5 "}}},
    // One case a column.
    {"a negative step runs upwards over equal bounds", withSteps(typedGrid("10", "10", "5", "4"), "-30"), false, 3},
    {"and gives no case over others, rewriting the report all the same",
     withSteps(typedGrid("10", "9", "5", "4"), "-30"),
     false,
     0,
     {},
     "\"cases=  0\"\r\n"},
    // -180 is moved to -179.999999 by the first case of its column; the rest
    // of the column keeps the moved value and the next step ends the loop.
    {"a western bound of -180",
     typedGrid("1", "0", "-179.5", "-180"),
     true,
     6,
     {{3, " lat  1  long -179.999999 "}, {5, " lat  0  long -179.999999 "}}},
    {"a northern bound of 90 becomes 89.9 and the column goes on from there",
     typedGrid("90", "89", "0", "0"),
     true,
     2,
     {{0, " lat  89.9  long  0 "}, {1, " lat  89.4  long  0 "}}},
    {"an eastern bound of 200 becomes 180, and the next column is 180 plus the step",
     typedGrid("1", "0", "200", "179.5"),
     true,
     6,
     {{0, " lat  1  long  180 "}, {2, " lat  0  long  180 "}, {3, " lat  1  long  179.5 "}},
     {},
     {},
     1},
    {"a latitude beyond 90 is swept from where it was typed", typedGrid("95", "94", "0", "0"), false, 3},
    // The same bytes on every platform: the first round trip ends just below
    // 50 and 10 everywhere, whatever the C runtime's sine would have said.
    {"the report bytes of a small grid",
     typedGrid("50", "49.5", "10", "10"),
     true,
     2,
     {},
     "\" lat  50  long  10     m11:6.6  r236.8   lat 49.9999 long 9.99999\"\r\n"
     "\" lat  49.5  long  10     m10:76  r190.4   lat 49.5 long 10.0000\"\r\n"
     "\"cases=  2\"\r\n"},
    // -95 is no filtered bound: the pole's case (moved to -89.9) is the last
    // of its column instead of the start of an endless walk back north.
    {"a southern bound beyond the pole ends each column at the pole",
     typedGrid("-89", "-95", "10", "9.5"),
     true,
     6,
     {{0, " lat -89  long  10 "},
      {1, " lat -89.5  long  10 "},
      {2, " lat -89.9  long  10 "},
      {3, " lat -89  long  9.5 "}}},
    // -89.9, -89.95, -90 moved to -89.9.
    {"a step too small to leave -89.9 behind ends the column there as well",
     withSteps(typedGrid("-89.9", "-95", "0", "0"), "3"), false, 3},
};

class EastClamps : public SweepObserver {
 public:
  void eastBoundClamped() override { ++count; }
  int count = 0;
};

using SweepGrid = SweepTest;

TEST_F(SweepGrid, OrderCountsAndBoundsAsTyped) {
  for (const Grid& grid : grids) {
    SCOPED_TRACE(grid.name);
    settings.storeAll = grid.storeAll;
    EastClamps clamps;
    const SweepResult result = sweepTyped(grid.texts, &clamps);
    ASSERT_FALSE(result.failure) << *result.failure;
    EXPECT_EQ(result.cases, grid.cases);
    EXPECT_EQ(clamps.count, grid.eastClamps);
    // A line for every case stored, and the closing line with their count.
    const std::vector<std::string> lines = reportLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(static_cast<std::int64_t>(lines.size()) - 1, grid.storeAll ? grid.cases : result.errors);
    EXPECT_EQ(lines.back(), "cases=  " + std::to_string(grid.cases));
    if (grid.bytes) {
      EXPECT_EQ(reportBytes(), *grid.bytes);
    }
    if (grid.end) {
      EXPECT_EQ(result.latitude, grid.end->first);
      EXPECT_EQ(result.longitude, grid.end->second);
    }
    for (const Line& l : grid.lines) {
      ASSERT_LT(l.index, lines.size()) << l.text;
      if (l.whole) {
        EXPECT_EQ(lines[l.index], l.text);
      } else {
        EXPECT_TRUE(lines[l.index].starts_with(l.text)) << lines[l.index] << " does not start with " << l.text;
      }
    }
  }
}

}  // namespace
}  // namespace qvsweep
