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
      {0.25, 1096.996, 2, "m11:0.25 r1097.00"},       // the code text writes r1096
      {0.125, 0.0625, 1, "m11:0.1 r0.1"},             // 0.125 and 0.0625 are exact: halves to even
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
      // At 10006.2 km no offset exceeds about 3335.4 km.
      {"m11:3335.900 r10006.200", 3, "offset 3335.900 km is more than a point 10006.200 km away can have"},
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
      // 236.85000000000002·10 rounds to 2368.5, and half to even: "236.8".
      {"m11:6.6 r236.8", -1, {{{{236.75, 236.85000000000002}}}, 1}, {{{{6.55, 6.65}}}, 1}},
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
        EXPECT_EQ(got.ranges[i].toKm, want.ranges[i].toKm) << c.text;
      }
    }
  }
}

// Where the bounds were once too small: beyond 10,000 km at a sector's
// border the largest offset shrinks with the distance, next to the hour's
// ray and the reference point the conversions' own rounding outweighs the
// last decimals.  Each position's distance and offset lie in its code's
// ranges, and the position within farthestKm of the decoded one.
TEST(CodeCover, PositionsWhereTheBoundsAreTightest) {
  const struct {
    double latitude, longitude;
    int decimals;
    const char* code;
  } cases[] = {
      {-49.48158017450952, -169.62507814270373, -1, "m4:89.8 r19838"},
      {-48.376893517980179, -168.63345055798217, -1, "m4:15 r19981.6"},
      {-48.129023301569461, -168.44472222222223, 0, "m1:1 r20011"},
      {0, -179.999999, 6, nullptr},
      {48.136944444444445, 11.575277146595909, 5, "m9:0.00000 r0.00000"},
  };
  for (const auto& c : cases) {
    const Code e = encode(c.latitude, c.longitude);
    const std::string text = c.decimals < 0 ? e.text : preciseCodeText(e.hour, e.offsetKm, e.distanceKm, c.decimals);
    if (c.code) {
      EXPECT_EQ(text, c.code);
    }
    const CodeValues v = c.decimals < 0 ? readCode(text) : readPreciseCode(text, c.decimals);
    const Position back = positionOf(v);
    const CodeCover cover = coverOf(text, c.decimals, v, back);
    const auto within = [](const KmRanges& r, double km) {
      return (r.count > 0 && r.ranges[0].fromKm <= km && km <= r.ranges[0].toKm) ||
             (r.count > 1 && r.ranges[1].fromKm <= km && km <= r.ranges[1].toKm);
    };
    EXPECT_TRUE(within(cover.distances, e.distanceKm)) << text;
    EXPECT_TRUE(within(cover.offsets, e.offsetKm)) << text;
    EXPECT_LE(sphereDistanceKm({c.latitude, c.longitude}, back), cover.farthestKm) << text;
  }
  // At 20012.15 km offsets reach 0.1035 km.
  const CodeValues far = readCode("m3:0.1 r20012.2");
  EXPECT_GE(coverOf("m3:0.1 r20012.2", -1, far, positionOf(far)).offsets.ranges[0].toKm, 0.1035);
}

}  // namespace
}  // namespace qv
