// The forward conversion: working values of worked examples and edge cases; the shared cases.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string_view>
#include <variant>

#include "testdata/case_file.hpp"
#include "conversion/detail/case_texts.hpp"
#include "conversion/conversion.hpp"
#include "conversion/detail/forward.hpp"
#include "conversion/detail/round_trip.hpp"
#include "conversion/runtime_error.hpp"

namespace {

const double B0 = qv::referenceLatitude();
const double L0 = qv::referenceLongitude();

struct Forward {
  double Bdez, Ldez;
  std::int16_t stunde = 0;
  qv::CaseValues v;
  qv::ErrorMode mode;
  int eastBoundCalls = 0;

  Forward(double lat, double lon) : Bdez(lat), Ldez(lon) {
    qv::forwardConversion(Bdez, Ldez, stunde, v, mode, [this] { ++eastBoundCalls; });
    qv::codeTexts(stunde, v, mode);
  }
};

// The position `km` away from the reference point at bearing `degrees`
// clockwise from north (plain spherical trigonometry, independent of the
// conversion under test).
std::pair<double, double> destination(double degrees, double km) {
  const double rad = std::numbers::pi / 180;
  const double b0 = B0 * rad, d = km / 111.18 * rad, th = degrees * rad;
  const double lat = std::asin(std::sin(b0) * std::cos(d) + std::cos(b0) * std::sin(d) * std::cos(th));
  const double lon =
      L0 * rad + std::atan2(std::sin(th) * std::sin(d) * std::cos(b0), std::cos(d) - std::sin(b0) * std::sin(lat));
  return {lat / rad, lon / rad};
}

TEST(ForwardConversion, WorkedExampleFiftyNorthTenEast) {
  Forward f(50, 10);
  EXPECT_NEAR(f.v.distkm, 236.7796, 1e-4);
  EXPECT_NEAR(f.v.richtgrad, -151.608, 1e-3);
  EXPECT_EQ(f.stunde, 11);
  EXPECT_NEAR(f.v.sektorgrad, 1.608, 1e-3);
  EXPECT_NEAR(f.v.versatzkm, 6.643, 1e-3);
  EXPECT_TRUE(f.mode.skipping());
}

TEST(ForwardConversion, ReferencePointIsHourFiveAtDistanceZeroWithoutSkipping) {
  Forward f(B0, L0);
  EXPECT_EQ(f.v.bogenrad, 0);
  EXPECT_EQ(f.v.distkm, 0);
  EXPECT_EQ(f.v.cosricht, 1);
  EXPECT_EQ(f.v.richtgrad, 0);
  EXPECT_EQ(f.stunde, 5);
  EXPECT_EQ(f.v.sektorgrad, 30);
  EXPECT_EQ(f.v.cosversatz, 1);
  EXPECT_EQ(f.v.versatzkm, 0);
  EXPECT_FALSE(f.mode.skipping());
}

TEST(ForwardConversion, DueSouthIsTheFarEndOfHourFiveNotHourSix) {
  Forward f(30, L0);
  EXPECT_EQ(f.stunde, 5);
  EXPECT_EQ(f.v.sektorgrad, 30);
}

TEST(ForwardConversion, DueNorthIsHourTwelveOnItsRay) {
  Forward f(60, L0);
  EXPECT_EQ(f.v.richtgrad, -180);
  EXPECT_EQ(f.stunde, 12);
  EXPECT_EQ(f.v.sektorgrad, 0);
}

TEST(ForwardConversion, EveryHourSectorAndItsTextWidth) {
  for (int hour = 1; hour <= 12; ++hour) {
    const auto [lat, lon] = destination(30.0 * hour + 15, 1000);
    Forward f(lat, lon);
    SCOPED_TRACE(hour);
    EXPECT_EQ(f.stunde, hour);
    EXPECT_NEAR(f.v.sektorgrad, 15, 1e-9);
    EXPECT_EQ(f.v.codetext.substr(0, hour >= 10 ? 5 : 4), " m" + std::to_string(hour) + ":");
    // The bearing the hour's sector holds, and the angle past its ray.
    const qv::Code c = qv::encode(lat, lon);
    EXPECT_NEAR(c.bearingDegrees, std::fmod(30.0 * hour + 15, 360), 1e-9);
    EXPECT_NEAR(c.sectorAngleDegrees, 15, 1e-9);
  }
  // Due north and due south of the reference point.
  EXPECT_EQ(qv::encode(60, L0).bearingDegrees, 0);
  EXPECT_EQ(qv::encode(30, L0).bearingDegrees, 180);
}

TEST(ForwardConversion, LongitudeAdjustment) {
  Forward west(10, -180);
  EXPECT_EQ(west.Ldez, -179.999999);
  Forward beyondWest(10, -185);
  EXPECT_EQ(beyondWest.Ldez, -185);
  Forward east(10, 181);
  EXPECT_EQ(east.Ldez, 180);
  EXPECT_EQ(east.eastBoundCalls, 1);
  Forward onBound(10, 180);
  EXPECT_EQ(onBound.Ldez, 180);
  EXPECT_EQ(onBound.eastBoundCalls, 0);
}

TEST(ForwardConversion, LatitudeAdjustment) {
  EXPECT_EQ(Forward(-90, 0).Bdez, -89.9);
  EXPECT_EQ(Forward(-95, 0).Bdez, -89.9);
  EXPECT_EQ(Forward(90, 0).Bdez, 89.9);
  EXPECT_EQ(Forward(95, 0).Bdez, 95);
  EXPECT_EQ(Forward(89.95, 0).Bdez, 89.95);
}

TEST(ForwardConversion, OffsetArcCosineFailingOnTheRayIsSkippedAndLeavesZero) {
  // Due north, where cos²+sin² rounds just above 1.
  Forward f(60.636944444441959, L0);
  EXPECT_GT(f.v.cosversatz, 1);
  EXPECT_TRUE(f.mode.skipping());
  EXPECT_EQ(f.v.versatzrad, 0);
  EXPECT_EQ(f.v.versatzkm, 0);
  EXPECT_EQ(f.v.codetext.substr(0, 7), " m12:0 ");
}

// The encode cases through the forward conversion alone, the roundtrip
// cases there and back: the code text, or the run-time error raised.
TEST(RoundTrip, SharedCases) {
  for (const std::string_view kind : {"encode", "roundtrip"}) {
    for (const cases::Case& c : cases::read(QV_CASES_FILE, kind)) {
      const auto number = [&](std::size_t i) { return c.input.at(i).number(); };
      std::string outcome;
      try {
        if (kind == "encode") {
          outcome = Forward(number(0), number(1)).v.codetext;
        } else {
          qv::RoundTrip t = qv::roundTrip(number(0), number(1));
          qv::ErrorMode mode;
          if (t.skipOnError) mode.skipOnError();
          qv::codeTexts(t.hour, t.values, mode);
          outcome = t.values.codetext;
        }
      } catch (const qv::RuntimeError& e) {
        outcome = cases::failure(e.number(), e.what());
      }
      EXPECT_EQ(outcome, c.expected) << c.where;
    }
  }
}

}  // namespace
