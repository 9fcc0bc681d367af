// The batches against the single conversions, bit for bit (the round trip,
// the forward conversion, the inverse of a code): every point of the default
// grid, random points, and a table of the points where the single round
// trip takes a special branch, skips a step or raises.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <span>
#include <stdexcept>
#include <vector>

#include "conversion/batch_conversion.hpp"
#include "conversion/conversion.hpp"
#include "conversion/detail/round_trip.hpp"

namespace {

const double B0 = qv::referenceLatitude();
const double L0 = qv::referenceLongitude();

bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }
bool sameBits(const std::optional<double>& a, const std::optional<double>& b) {
  return a.has_value() == b.has_value() && (!a || sameBits(*a, *b));
}

qv::RoundTripPoint single(double lat, double lon) {
  try {
    return qv::pointOf(qv::roundTrip(lat, lon));
  } catch (const qv::RuntimeError& e) {
    qv::RoundTripPoint p;
    p.error = e.kind();
    return p;
  }
}

// The batch forward conversion against encode, and the batch inverse of
// those codes against positionOf.
void expectCodesAndPositionsAsSingle(const std::vector<double>& lat, const std::vector<double>& lon) {
  std::vector<qv::CodeValues> values;
  for (const qv::PositionRange range : {qv::PositionRange::asSweep, qv::PositionRange::asMeant}) {
    std::vector<qv::EncodedPoint> codes(lat.size());
    qv::encodeMany(lat, lon, codes, range);
    values.clear();
    for (std::size_t i = 0; i < lat.size(); ++i) {
      SCOPED_TRACE(testing::Message() << "code " << i << ": " << lat[i] << ", " << lon[i]);
      try {
        const qv::Code c = qv::encode(lat[i], lon[i], range);
        ASSERT_FALSE(codes[i].refused);
        ASSERT_FALSE(codes[i].error);
        ASSERT_EQ(codes[i].hour, c.hour);
        ASSERT_TRUE(sameBits(codes[i].latitude, c.latitude) && sameBits(codes[i].longitude, c.longitude));
        ASSERT_TRUE(sameBits(codes[i].offsetKm, c.offsetKm) && sameBits(codes[i].distanceKm, c.distanceKm));
        ASSERT_TRUE(sameBits(codes[i].bearingDegrees, c.bearingDegrees) &&
                    sameBits(codes[i].sectorAngleDegrees, c.sectorAngleDegrees));
        values.push_back({c.hour, c.offsetKm, c.distanceKm});
      } catch (const qv::RuntimeError& e) {
        ASSERT_EQ(codes[i].error, e.kind());
      } catch (const qv::PositionError&) {
        ASSERT_TRUE(codes[i].refused);
      }
    }
  }
  std::vector<qv::DecodedPoint> positions(values.size());
  qv::decodeMany(values, positions);
  for (std::size_t i = 0; i < values.size(); ++i) {
    SCOPED_TRACE(testing::Message() << "position " << i);
    try {
      const qv::Position p = qv::positionOf(values[i]);
      ASSERT_FALSE(positions[i].error);
      ASSERT_TRUE(sameBits(positions[i].position.latitude, p.latitude) &&
                  sameBits(positions[i].position.longitude, p.longitude));
    } catch (const qv::RuntimeError& e) {
      ASSERT_EQ(positions[i].error, e.kind());
    }
  }
}

void expectSameAsSingle(const std::vector<double>& lat, const std::vector<double>& lon) {
  std::vector<qv::RoundTripPoint> batch(lat.size());
  qv::roundTrips(lat, lon, batch);
  for (std::size_t i = 0; i < lat.size(); ++i) {
    const qv::RoundTripPoint s = single(lat[i], lon[i]);
    const qv::RoundTripPoint& b = batch[i];
    SCOPED_TRACE(testing::Message() << "point " << i << ": " << lat[i] << ", " << lon[i]);
    ASSERT_EQ(b.error, s.error);
    if (s.error) continue;
    ASSERT_TRUE(sameBits(b.latitude, s.latitude) && sameBits(b.longitude, s.longitude));
    ASSERT_EQ(b.hour, s.hour);
    ASSERT_EQ(b.skipOnError, s.skipOnError);
    ASSERT_TRUE(sameBits(b.distanceKm, s.distanceKm) && sameBits(b.offsetKm, s.offsetKm));
    ASSERT_TRUE(sameBits(b.bearingDegrees, s.bearingDegrees) && sameBits(b.sectorAngleDegrees, s.sectorAngleDegrees));
    ASSERT_TRUE(sameBits(b.latitudeBack, s.latitudeBack) && sameBits(b.longitudeBack, s.longitudeBack) &&
                sameBits(b.westComponentBack, s.westComponentBack));
  }
  expectCodesAndPositionsAsSingle(lat, lon);
}

TEST(RoundTripBatch, EveryPointOfTheDefaultGrid) {
  std::vector<double> lat, lon;
  for (double L = 180; L >= -179; L -= 0.5)
    for (double B = 89; B >= -89; B -= 0.5) {
      lat.push_back(B);
      lon.push_back(L);
    }
  expectSameAsSingle(lat, lon);
}

TEST(RoundTripBatch, RandomPointsAndEveryBatchLength) {
  std::mt19937_64 rng(20261208);
  std::uniform_real_distribution<double> B(-90, 90), L(-180, 180);
  std::vector<double> lat, lon;
  for (int i = 0; i < 20000; ++i) {
    lat.push_back(B(rng));
    lon.push_back(L(rng));
  }
  expectSameAsSingle(lat, lon);
  for (std::size_t n = 0; n <= 9; ++n)
    expectSameAsSingle(std::vector<double>(lat.begin(), lat.begin() + n),
                       std::vector<double>(lon.begin(), lon.begin() + n));
  // Spans of different lengths are refused: the batch would run past one.
  std::vector<qv::RoundTripPoint> out(8);
  EXPECT_THROW(qv::roundTrips(std::span(lat).first(8), std::span(lon).first(7), out), std::invalid_argument);
  EXPECT_THROW(qv::roundTrips(std::span(lat).first(9), std::span(lon).first(9), out), std::invalid_argument);
}

// Each point beside ordinary ones, so that it shares a batch with them.
TEST(RoundTripBatch, SpecialPointsInTheMidstOfOrdinaryOnes) {
  const std::vector<std::pair<double, double>> special = {
      {B0, L0},                  // the reference point: exact branches, mode off
      {B0 + 1e-6, L0},           // raises with the mode off
      {48.146944444444443, L0},  // sector cosine past 1, mode off: raises
      {64.626944444441605, L0},  // sector cosine past 1, skipped: 90°
      {60.636944444441959, L0},  // offset arc cosine past 1, skipped
      {30, L0},                  // due south: hour 5 at 30°
      {60, L0},                  // due north: hour 12 on its ray
      {-B0, L0 - 180},           // the antipode
      {10, -180},
      {10, 181},
      {10, 180},
      {-90, 0},
      {-95, 0},
      {90, 0},
      {95, 0},  // input adjustment
      {0, 180},
      {0, 0},
      {89.9, 0},
      {-89.9, 0},
      {1e308, 0},
      {0, -1.7e308},  // overflow taken as the sweep takes them; refused as meant
      {NAN, 0},
      {0, INFINITY},
      {50, 350},
      {50, -540},  // refused or reduced as meant
  };
  std::vector<double> lat, lon;
  for (const auto& [b, l] : special)
    for (int k = 0; k < 7; ++k) {
      lat.push_back(k == 3 ? b : 10.0 + k);
      lon.push_back(k == 3 ? l : 20.0 - k);
    }
  expectSameAsSingle(lat, lon);
  std::vector<qv::RoundTripPoint> out(lat.size());
  qv::roundTrips(lat, lon, out);
  EXPECT_EQ(out[3 + 7].error, qv::ErrorKind::InvalidCall);
  EXPECT_FALSE(out[3].skipOnError);
  EXPECT_TRUE(out[3 + 3 * 7].skipOnError);
  EXPECT_EQ(out[3 + 9 * 7].longitude, 180);  // 181 moved
}

}  // namespace
