// The one sector rule seen by its three users: the double conversion, the
// single-precision algorit and the inverse agree on every sector border and
// just beside it.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <utility>

#include "component/core/algorit.hpp"
#include "conversion/detail/checked_math.hpp"
#include "conversion/detail/hour_sector.hpp"
#include "conversion/detail/reference_point.hpp"
#include "conversion/detail/round_trip.hpp"
#include "component/core/to_single.hpp"

namespace {

// The hour of bearing β by the clock face, independently of the table: the
// sector [30h, 30h + 30) is hour h (0 as 12); on the eastern half (β ≤ 180) a
// border belongs to the lower hour, β = 0 and β = 360 to hour 12.
int clockHour(double beta) {
  if (beta == 0 || beta == 360) return 12;
  const int h = beta <= 180 ? static_cast<int>(std::ceil(beta / 30)) - 1 : static_cast<int>(std::floor(beta / 30));
  return h == 0 ? 12 : h;
}

// The position `km` from the reference point at bearing `beta` degrees
// (plain spherical trigonometry, not the conversion under test).
std::pair<double, double> destination(double beta, double km) {
  const double rad = std::numbers::pi / 180;
  const double b0 = qv::referenceLatitude() * rad, d = km / qv::kmPerDegree * rad, th = beta * rad;
  const double lat = std::asin(std::sin(b0) * std::cos(d) + std::cos(b0) * std::sin(d) * std::cos(th));
  const double lon = qv::referenceLongitude() * rad +
                     std::atan2(std::sin(th) * std::sin(d) * std::cos(b0), std::cos(d) - std::sin(b0) * std::sin(lat));
  return {lat / rad, lon / rad};
}

// The hour of a code text "m<h>:…" or " m<h>:…".
int hourOf(const std::string& code) { return std::stoi(code.substr(code.find('m') + 1)); }

TEST(HourSector, BothPrecisionsAndTheInverseAgreeOnEveryBorderAndBesideIt) {
  for (int border = 0; border <= 360; border += 30) {
    for (const double beside : {-1e-3, 0.0, 1e-3}) {
      const double beta = border + beside;
      if (beta < 0 || beta > 360) continue;
      SCOPED_TRACE("bearing " + std::to_string(beta));
      const double richtgrad = 180 - beta;

      double sektorgrad = -1;
      std::int16_t stunde = 0;
      qv::hourSector(richtgrad, sektorgrad, stunde, [](double s) { return qv::checked(s); });
      EXPECT_EQ(stunde, clockHour(beta));
      EXPECT_GE(sektorgrad, 0);
      EXPECT_LE(sektorgrad, 30);

      float sektorgradSingle = -1;
      std::int16_t stundeSingle = 0;
      qv::hourSector(qv::single(richtgrad), sektorgradSingle, stundeSingle, qv::single);
      EXPECT_EQ(stundeSingle, stunde);
      EXPECT_NEAR(sektorgradSingle, sektorgrad, 1e-4);

      double back = 0;
      ASSERT_TRUE(qv::directionOfHour(stunde, sektorgrad, back));
      // β = 360 comes back as its equal β = 0.
      EXPECT_NEAR(back, beta == 360 ? 180 : richtgrad, 1e-12);
    }
  }
}

TEST(HourSector, TheConversionsTakeTheSameHourBesideEveryBorder) {
  for (int border = 0; border <= 360; border += 30) {
    for (const double beside : {-0.5, 0.5}) {
      const double beta = border + beside;
      if (beta < 0 || beta > 360) continue;
      SCOPED_TRACE("bearing " + std::to_string(beta));
      const auto [lat, lon] = destination(beta, 2000);
      const qv::RoundTrip t = qv::roundTrip(lat, lon);
      EXPECT_EQ(t.hour, clockHour(beta));
      EXPECT_NEAR(t.values.Bdezbk.value_or(0), lat, 1e-9);
      EXPECT_NEAR(t.values.Ldezbk.value_or(0), lon, 1e-9);
      const std::string code =
          qv::algorit(qv::ElementArray({lat, 0.0, 0.0, lon, 0.0, 0.0, std::string("N"), std::string("E")}));
      EXPECT_EQ(hourOf(code), t.hour) << code;
    }
  }
}

TEST(HourSector, AnHourOutsideTheClockHasNoDirection) {
  double r = 7;
  EXPECT_FALSE(qv::directionOfHour(0, 10, r));
  EXPECT_FALSE(qv::directionOfHour(13, 10, r));
  EXPECT_EQ(r, 7);
  // Hour 6 on its ray is due south with the angle's own sign of zero.
  ASSERT_TRUE(qv::directionOfHour(6, 0.0, r));
  EXPECT_TRUE(std::signbit(r));
}

}  // namespace
