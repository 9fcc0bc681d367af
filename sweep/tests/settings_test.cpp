// What was typed, read into a sweep's settings: the steps and ranges
// settled, the numbers read, an overflow raised where it is met; and what
// the grid of some settings holds before it runs, against what the sweep
// then walks.

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "conversion/number_text.hpp"
#include "conversion/runtime_error.hpp"
#include "sweep/tests/sweep_fixture.hpp"

namespace qvsweep {
namespace {

struct Reading {
  const char* name;
  SweepTexts typed, settled;
  // latitude from, to, step; longitude from, to, step; tolerance
  std::vector<double> numbers;
};

SweepTexts texts(const char* latFrom, const char* latTo, const char* latStep, const char* lonFrom, const char* lonTo,
                 const char* lonStep, const char* tolerance) {
  return {latFrom, latTo, latStep, lonFrom, lonTo, lonStep, tolerance};
}

const std::vector<Reading> readings = {
    {"the design texts stay", {}, {}, {89, -89, 30, 180, -179, 30, .001}},
    {"steps of 0, of no text and without a number become one degree",
     texts("2", "0", "0", "2", "0", "", "0,5"),
     texts("2", "0", "60", "2", "0", "60", "0,5"),
     {2, 0, 60, 2, 0, 60, 0}},  // the comma ends the tolerance's number
    {"a step without a number, beside one with",
     texts("2", "0", "abc", "2", "0", "-30", ""),
     texts("2", "0", "60", "2", "0", "-30", ""),
     {2, 0, 60, 2, 0, -30, 0}},
    {"an inverted range shrinks to its upper bound's text, unswapped",
     texts("10.0", "20", "30", "5", "6.5", "30", ".001"),
     texts("10.0", "10.0", "30", "5", "5", "30", ".001"),
     {10, 10, 30, 5, 5, 30, .001}},
    {"bounds beyond the poles and the date line are read as typed",
     texts("95", "-95", "30", "200", "-200", "30", "1"),
     texts("95", "-95", "30", "200", "-200", "30", "1"),
     {95, -95, 30, 200, -200, 30, 1}},
};

TEST(ReadSettings, StepsAndRangesSettleAndTheNumbersFollow) {
  for (const Reading& r : readings) {
    SCOPED_TRACE(r.name);
    SweepTexts t = r.typed;
    SweepSettings s;
    readSettings(t, s);
    for (const TextOption& option : textOptions) EXPECT_EQ(t.*option.text, r.settled.*option.text) << option.name;
    EXPECT_EQ((std::vector<double>{s.latitudeFrom, s.latitudeTo, s.latitudeStep, s.longitudeFrom, s.longitudeTo,
                                   s.longitudeStep, s.toleranceSeconds}),
              r.numbers);
  }
}

TEST(ReadSettings, AnOverflowRaisesWhereItIsMetWithTheTextsBeforeItSettled) {
  struct Overflow {
    const char* name;
    SweepTexts typed, left;
  };
  const Overflow overflows[] = {
      // The steps are settled before the ranges are compared.
      {"a latitude bound", texts("1e400", "0", "0", "0", "0", "0", ".001"),
       texts("1e400", "0", "60", "0", "0", "60", ".001")},
      {"a longitude bound, after the latitude range", texts("0", "5", "30", "-1e400", "0", "0", ".001"),
       texts("0", "0", "30", "-1e400", "0", "60", ".001")},
      {"the tolerance, read after the grid settled", texts("2", "0", "0", "2", "3", "30", "1e400"),
       texts("2", "0", "60", "2", "2", "30", "1e400")},
  };
  for (const Overflow& o : overflows) {
    SCOPED_TRACE(o.name);
    SweepTexts t = o.typed;
    SweepSettings s;
    try {
      readSettings(t, s);
      ADD_FAILURE() << "no overflow";
    } catch (const qv::RuntimeError& e) {
      EXPECT_EQ(e.kind(), qv::ErrorKind::Overflow);
      EXPECT_EQ(couldNotStart(e), "The sweep could not start: Run-time error 6: Overflow");
    }
    for (const TextOption& option : textOptions) EXPECT_EQ(t.*option.text, o.left.*option.text) << option.name;
  }
}

using GridExtent = SweepTest;

// Every column visits the latitudes columnLatitudes names: a sweep of two
// columns, every case stored, holds them twice, the first and the last as
// named (or stops in its first column, at its last).
TEST_F(GridExtent, TheLatitudesOfAColumnAreThoseTheSweepVisits) {
  struct Column {
    const char* name;
    SweepTexts typed;
    std::int64_t count;
  };
  const Column columns[] = {
      {"a 10' step drifts", texts("89", "-89", "10", "1", "0", "60", ".001"), 1068},
      {"90 moved to 89.9", texts("90", "88", "30", "1", "0", "60", ".001"), 4},
      {"the pole's case ends the column", texts("-89", "-95", "30", "1", "0", "60", ".001"), 3},
      {"an upward step over equal bounds", texts("10", "10", "-30", "1", "0", "60", ".001"), 1},
      {"an upward step over other bounds", texts("10", "9", "-30", "1", "0", "60", ".001"), 0},
      {"a latitude that does not move on stops the sweep", texts("45", "44", "1e-20", "1", "0", "60", ".001"), 1},
  };
  for (const Column& c : columns) {
    SCOPED_TRACE(c.name);
    settings.storeAll = true;
    const SweepResult result = sweepTyped(c.typed);
    const std::optional<ColumnLatitudes> latitudes = columnLatitudes(settings, 2000);
    ASSERT_TRUE(latitudes);
    EXPECT_EQ(latitudes->count, c.count);
    EXPECT_EQ(result.cases, result.failure ? latitudes->count : 2 * latitudes->count);
    const std::string bytes = reportBytes();
    std::string_view rest = bytes;
    std::vector<std::string_view> records;
    while (const auto r = takeRecord(rest)) records.push_back(*r);
    if (latitudes->count == 0) continue;
    const auto first = casePositionTexts(records.front());
    const auto last = casePositionTexts(records[static_cast<std::size_t>(latitudes->count) - 1]);
    ASSERT_TRUE(first && last);
    EXPECT_EQ(first->latitude, qv::numberText(latitudes->first));
    EXPECT_EQ(last->latitude, qv::numberText(latitudes->last));
  }
}

TEST(ColumnLatitudes, NoneForAColumnTooLongToWalkOrAStepThatCannotBe) {
  SweepSettings s;
  EXPECT_EQ(columnLatitudes(s, 357)->count, 357);
  EXPECT_FALSE(columnLatitudes(s, 356));
  s.latitudeStep = 0;
  EXPECT_FALSE(columnLatitudes(s, 1000));
  s.latitudeStep = std::numeric_limits<double>::infinity();
  EXPECT_FALSE(columnLatitudes(s, 1000));
}

TEST(EstimatedCases, ExactForBinaryFractionStepsAndCountedTheWayEachStepWalks) {
  SweepSettings s;
  EXPECT_EQ(estimatedCases(s), 256683);
  s.latitudeStep = 10;  // drifts: the sweep visits 1068 latitudes
  EXPECT_EQ(estimatedCases(s), 1069 * 719);
  s.latitudeStep = -30;  // upwards, from 89 away from -89
  EXPECT_EQ(estimatedCases(s), 0);
  s.latitudeFrom = -89, s.latitudeTo = 89;
  EXPECT_EQ(estimatedCases(s), 357 * 719);
  s.latitudeFrom = s.latitudeTo = 0;
  EXPECT_EQ(estimatedCases(s), 719);
  s.longitudeStep = 0;
  EXPECT_EQ(estimatedCases(s), 0);
}

}  // namespace
}  // namespace qvsweep
