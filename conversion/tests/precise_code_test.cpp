// Precise codes and what a code stands for: written and read back, and the
// farthest distance a code claims held by random positions.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "conversion/code_cover.hpp"
#include "conversion/conversion.hpp"
#include "conversion/precise_code.hpp"

namespace qv {
namespace {

TEST(PreciseCode, IsCorrectlyRoundedAndReadsBack) {
  const struct {
    double offsetKm, distanceKm;
    int decimals;
    const char* text;
  } cases[] = {
      {6.64327619466684, 236.7795803439312, 3, "m11:6.643 r236.780"},
      {6.64327619466684, 236.7795803439312, 0, "m11:7 r237"},
      {0.25, 1096.996, 2, "m11:0.25 r1097.00"},  // the code text writes r1096
      {0.125, 0.0625, 1, "m11:0.1 r0.1"},        // 0.125 and 0.0625 are exact: halves to even
      {0, 20012.4, 6, "m11:0.000000 r20012.400000"},  // the antipode
  };
  for (const auto& c : cases) {
    EXPECT_EQ(preciseCodeText(11, c.offsetKm, c.distanceKm, c.decimals), c.text);
    const CodeValues v = readPreciseCode(c.text, c.decimals);
    EXPECT_EQ(v.hour, 11);
    EXPECT_NEAR(v.distanceKm, c.distanceKm, 0.5 * std::pow(10.0, -c.decimals)) << c.text;
  }
  const struct {
    const char* text;
    int decimals;
    const char* reason;
  } refused[] = {
      {"m11:6.64 r236.780", 3, "offset '6.64' is not written with 3 decimals"},
      {"m11:7 r237.0", 0, "distance '237.0' is not written with 0 decimals"},
      {"m11:06.643 r236.780", 3, "offset '06.643'"},
      {"m11:6,643 r236,780", 3, "offset '6,643' has a decimal comma"},
      {"m11:6.643 r20012.500", 3, "beyond the farthest point"},
  };
  for (const auto& r : refused) {
    try {
      readPreciseCode(r.text, r.decimals);
      ADD_FAILURE() << r.text;
    } catch (const CodeFormatError& e) {
      EXPECT_NE(std::string(e.what()).find(r.reason), std::string::npos) << e.what();
    }
  }
}

TEST(CodeCover, RangesOfEachSpelling) {
  const struct {
    const char* text;
    int decimals;
    KmRanges distances, offsets;
  } cases[] = {
      {"m11:6.6 r236.8", -1, {{{{236.75, 236.85}}}, 1}, {{{{6.55, 6.65}}}, 1}},
      {"m11:6.6 r1096", -1, {{{{1096, 1096.05}, {1096.95, 1097}}}, 2}, {{{{6.55, 6.65}}}, 1}},
      {"m5:0 r0", -1, {{{{0, 0.05}, {0.95, 1}}}, 2}, {{{{0, 0.05}}}, 1}},  // no offset beyond a 1 km circle's
      {"m11:6.643 r236.780", 3, {{{{236.7795, 236.7805}}}, 1}, {{{{6.6425, 6.6435}}}, 1}},
  };
  for (const auto& c : cases) {
    const CodeValues v = c.decimals < 0 ? readCode(c.text) : readPreciseCode(c.text, c.decimals);
    const CodeCover cover = coverOf(c.text, c.decimals, v, positionOf(v));
    for (const auto& [got, want] : {std::pair{cover.distances, c.distances}, std::pair{cover.offsets, c.offsets}}) {
      ASSERT_EQ(got.count, want.count) << c.text;
      for (std::size_t i = 0; i < got.count; ++i) {
        EXPECT_EQ(got.ranges[i].fromKm, want.ranges[i].fromKm) << c.text;
        EXPECT_NEAR(got.ranges[i].toKm, want.ranges[i].toKm, 1e-12) << c.text;
      }
    }
  }
}

// Random positions decode no farther than their code's cover says, and a
// precise code of 3 decimals within 2 m.
TEST(CodeCover, RandomPositionsLieWithinTheFarthestDistance) {
  std::mt19937_64 rng(20261210);
  std::uniform_real_distribution<double> B(-89.9, 89.9), L(-180, 180);
  double worstText = 0, worstPrecise = 0;
  for (int i = 0; i < 20000; ++i) {
    const Position p{B(rng), L(rng)};
    const Code c = encode(p.latitude, p.longitude);
    const std::string precise = preciseCodeText(c.hour, c.offsetKm, c.distanceKm, 3);
    for (const auto& [text, decimals] : {std::pair{c.text, -1}, std::pair{precise, 3}}) {
      CodeValues v;
      Position back;
      try {
        v = decimals < 0 ? readCode(text) : readPreciseCode(text, decimals);
        back = positionOf(v);
      } catch (const RuntimeError&) {
        continue;  // on the hour's ray at the antipode the inverse may fail
      }
      const double apart = sphereDistanceKm(p, back);
      EXPECT_LE(apart, coverOf(text, decimals, v, back).farthestKm + 1e-9) << p.latitude << ' ' << p.longitude;
      (decimals < 0 ? worstText : worstPrecise) = std::max(decimals < 0 ? worstText : worstPrecise, apart);
    }
  }
  EXPECT_GT(worstText, 0.2);   // the code text alone: hundreds of metres
  EXPECT_LT(worstPrecise, 0.002);
}

}  // namespace
}  // namespace qv
