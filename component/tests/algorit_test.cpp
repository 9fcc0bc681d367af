// algorit over the native element array: the worked examples, the edge cases
// that tell a faithful single-precision conversion from a near miss, and the
// latitude mend.

#include "algorit.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "runtime_error.hpp"

namespace qv {
namespace {

std::string run(std::vector<Value> elements, int lowerBound = 0) {
  return algorit(ElementArray(std::move(elements), lowerBound));
}

std::string run(double Bgrad, double Bmin, double Bsek, double Lgrad, double Lmin, double Lsek, const char* ns,
                const char* ew) {
  return run({Bgrad, Bmin, Bsek, Lgrad, Lmin, Lsek, std::string(ns), std::string(ew)});
}

ErrorKind errorOf(std::vector<Value> elements, int lowerBound = 0) {
  try {
    run(std::move(elements), lowerBound);
  } catch (const RuntimeError& e) {
    return e.kind();
  }
  ADD_FAILURE() << "no run-time error";
  return ErrorKind::InvalidCall;
}

// The offset of a code text "m<h>:<offset> r<distance>".
int offsetOf(const std::string& code) { return std::stoi(code.substr(code.find(':') + 1)); }

TEST(AlgoritWorkedExamples, FiftyNorthTenEast) { EXPECT_EQ(run(50, 0, 0, 10, 0, 0, "N", "E"), "m11:6 r236"); }

TEST(AlgoritWorkedExamples, ReferencePointIsHourFiveAtDistanceZero) {
  EXPECT_EQ(run(48, 8, 13, 11, 34, 31, "N", "E"), "m5:0 r0");
}

TEST(AlgoritWorkedExamples, WesternHemisphere) { EXPECT_EQ(run(40, 0, 0, 74, 0, 0, "N", "W"), "m9:2537 r6536"); }

TEST(AlgoritWorkedExamples, SouthernHemisphere) {
  EXPECT_EQ(run(33, 54, 0, 151, 12, 0, "S", "E"), "m2:1187 r16328");
}

TEST(AlgoritHemispheres, LowerCaseSIsNorth) {
  EXPECT_EQ(run(50, 0, 0, 10, 0, 0, "s", "E"), run(50, 0, 0, 10, 0, 0, "N", "E"));
}

TEST(AlgoritHemispheres, LowerCaseWIsEast) {
  EXPECT_EQ(run(40, 0, 0, 74, 0, 0, "N", "w"), run(40, 0, 0, 74, 0, 0, "N", "E"));
}

TEST(AlgoritHemispheres, OnlyTheTextSCountsAsSouth) {
  const std::string north = run(50, 0, 0, 10, 0, 0, "N", "E");
  EXPECT_EQ(run({50.0, 0.0, 0.0, 10.0, 0.0, 0.0, Null{}, std::string("E")}), north);
  EXPECT_EQ(run({50.0, 0.0, 0.0, 10.0, 0.0, 0.0, Empty{}, std::string("E")}), north);
  EXPECT_EQ(run({50.0, 0.0, 0.0, 10.0, 0.0, 0.0, 1.0, std::string("E")}), north);
  EXPECT_EQ(run(50, 0, 0, 10, 0, 0, "S ", "E"), north);
}

TEST(AlgoritHemispheres, SouthTakesTheMagnitudeOfANegativeLatitude) {
  EXPECT_EQ(run(-33, -54, 0, 151, 12, 0, "S", "E"), "m2:1187 r16328");
}

TEST(AlgoritInput, DegreesMinutesAndSecondsAreSimplyAdded) {
  // −33° 54′ is −33 + 0.9 = −32.1, not −33.9.
  EXPECT_EQ(run(-33, 54, 0, 151, 12, 0, "N", "E"), run(32.1, 0, 0, 151, 12, 0, "S", "E"));
  EXPECT_NE(run(-33, 54, 0, 151, 12, 0, "N", "E"), "m2:1187 r16328");
}

TEST(AlgoritInput, LongitudeBeyond180IsUsedUnchanged) {
  EXPECT_EQ(run(50, 0, 0, 200, 0, 0, "N", "E"), "m12:600 r9071");
  EXPECT_EQ(run(50, 0, 0, 180, 0, 0, "N", "E"), "m12:823 r9045");
}

TEST(AlgoritInput, MinusOneEightyIsNotMoved) {
  // The double-precision conversion moves −180 to −179.999999; this one does not.
  EXPECT_EQ(run(50, 0, 0, 180, 0, 0, "N", "W"), run(50, 0, 0, -180, 0, 0, "N", "E"));
}

// A latitude beyond a pole goes to the nearest pole.
TEST(AlgoritLatitudeMend, BeyondTheSouthPoleIsTheSouthPole) {
  EXPECT_EQ(run(95, 0, 0, 10, 0, 0, "S", "E"), run(90, 0, 0, 10, 0, 0, "S", "E"));
  EXPECT_EQ(run(95, 0, 0, 10, 0, 0, "S", "E"), "m5:2211 r15358");
  EXPECT_EQ(run(-95, 0, 0, 10, 0, 0, "N", "E"), "m5:2211 r15358");
}

TEST(AlgoritLatitudeMend, BeyondTheNorthPoleIsTheNorthPole) {
  EXPECT_EQ(run(95, 0, 0, 10, 0, 0, "N", "E"), "m12:0 r4654");
  EXPECT_EQ(run(89, 59, 3600, 10, 0, 0, "N", "E"), "m12:0 r4654");
}

TEST(AlgoritLatitudeMend, PolesThemselvesAreKept) {
  // 90° is not moved to 89.9° as in the double-precision conversion.
  EXPECT_EQ(run(90, 0, 0, 10, 0, 0, "N", "E"), "m12:0 r4654");
}

TEST(AlgoritOffset, NeverOne) {
  // Near 1 a Single steps by about 6e-8: the smallest offset above 0 is 2 km.
  int smallest = 1000;
  for (int lat = -89; lat <= 89; ++lat)
    for (int min = 0; min < 60; min += 3)
      for (int lon = -179; lon <= 180; lon += 7) {
        const int offset = offsetOf(run(lat, min, 0, lon, 0, 0, "N", "E"));
        ASSERT_NE(offset, 1) << lat << "° " << min << "′, " << lon << "°";
        if (offset > 0 && offset < smallest) smallest = offset;
      }
  EXPECT_EQ(smallest, 2);
}

TEST(AlgoritElements, NumbersTextsBooleansAndEmptyConvert) {
  const std::string expected = run(50, 0, 0, 10, 0, 0, "N", "E");
  EXPECT_EQ(run({std::string("50"), std::string(" 0 "), std::string("0.0"), std::string("1E1"), std::string("+0"),
                 std::string("0d0"), std::string("N"), std::string("E")}),
            expected);
  EXPECT_EQ(run({50.0, Empty{}, Empty{}, 10.0, Empty{}, Empty{}, Empty{}, Empty{}}), expected);
  // True is −1: 50° + (−1)′ + 60″ is 50°.
  EXPECT_EQ(run({50.0, true, 60.0, 10.0, false, 0.0, std::string("N"), std::string("E")}), expected);
}

TEST(AlgoritElements, HemisphereElementsAreNotConverted) {
  EXPECT_EQ(run({50.0, 0.0, 0.0, 10.0, 0.0, 0.0, Unsupported{}, Unsupported{}}), run(50, 0, 0, 10, 0, 0, "N", "E"));
}

TEST(AlgoritErrors, OtherTextIsATypeMismatch) {
  EXPECT_EQ(errorOf({50.0, 0.0, 0.0, std::string("10 E"), 0.0, 0.0, std::string("N"), std::string("E")}),
            ErrorKind::TypeMismatch);
  EXPECT_EQ(errorOf({50.0, 0.0, 0.0, 10.0, 0.0, std::string(), std::string("N"), std::string("E")}),
            ErrorKind::TypeMismatch);
}

TEST(AlgoritErrors, NullIsAnInvalidUseOfNull) {
  EXPECT_EQ(errorOf({50.0, Null{}, 0.0, 10.0, 0.0, 0.0, std::string("N"), std::string("E")}),
            ErrorKind::InvalidUseOfNull);
}

TEST(AlgoritErrors, AnObjectIsATypeMismatch) {
  EXPECT_EQ(errorOf({Unsupported{}, 0.0, 0.0, 10.0, 0.0, 0.0, std::string("N"), std::string("E")}),
            ErrorKind::TypeMismatch);
}

TEST(AlgoritErrors, BeyondTheSingleRangeIsAnOverflow) {
  EXPECT_EQ(errorOf({50.0, 0.0, 0.0, 1e39, 0.0, 0.0, std::string("N"), std::string("E")}), ErrorKind::Overflow);
  // Each element fits, their sum does not.
  EXPECT_EQ(errorOf({50.0, 0.0, 0.0, 3e38, 3e38 * 60, 0.0, std::string("N"), std::string("E")}), ErrorKind::Overflow);
}

TEST(AlgoritErrors, LowerBoundOneFailsAtIndexZero) {
  // Index 1 holds a bad text, but index 0 is read first and is missing.
  EXPECT_EQ(errorOf({std::string("x"), 50.0, 0.0, 0.0, 10.0, 0.0, 0.0, std::string("N")}, 1),
            ErrorKind::SubscriptOutOfRange);
}

TEST(AlgoritErrors, MoreThanEightElementsAreFine) {
  EXPECT_EQ(run({50.0, 0.0, 0.0, 10.0, 0.0, 0.0, std::string("N"), std::string("E"), Null{}, Unsupported{}}),
            "m11:6 r236");
}

TEST(AlgoritErrors, ElementsAreReadInTheOrderZeroOneTwoSixThenThreeToSeven) {
  // Element 3 is bad, and the array ends before index 7 or before index 6:
  // 6 is read before 3, 7 after it.
  EXPECT_EQ(errorOf({50.0, 0.0, 0.0, std::string("x"), 0.0, 0.0, std::string("N")}), ErrorKind::TypeMismatch);
  EXPECT_EQ(errorOf({50.0, 0.0, 0.0, std::string("x"), 0.0, 0.0}), ErrorKind::SubscriptOutOfRange);
}

}  // namespace
}  // namespace qv
