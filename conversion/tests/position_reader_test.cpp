// Positions as people write them: every form against the numbers it must give
// to the last bit, and the refused ones against their reasons.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "conversion/position_reader.hpp"
#include "conversion/printable_text.hpp"
#include "conversion/detail/reference_point.hpp"

namespace qv {
namespace {

TEST(PositionReader, EveryFormGivesItsNumbersExactly) {
  const double B0 = referenceLatitude(), L0 = referenceLongitude();
  const struct {
    const char* text;
    double latitude, longitude;
  } cases[] = {
      {"50 10", 50, 10},
      {"  -33.87,151.21\t", -33.87, 151.21},
      {"-33.87 , 151.21", -33.87, 151.21},
      {"33.87S 151.21E", -33.87, 151.21},
      {"S 33.87, E 151.21", -33.87, 151.21},
      {"33.87 S 151.21 W", -33.87, -151.21},
      {"151.21E 33.87S", -33.87, 151.21},  // with letters on both, either order
      {"50\u00a010", 50, 10},
      {"1e1 +0.5", 10, 0.5},
      {"90 -180", 90, -180},  // the ends stay: the conversion adjusts them
      {"50 350", 50, -10},    // whole turns off a longitude, exactly
      {"-50 -370.5", -50, -10.5},
      {"0 540", 0, 180},
      // ISO 6709 as place tables store it.
      {"+4808+01134", 48 + 8.0 / 60, 11 + 34.0 / 60},
      {"+480813+0113431", B0, L0},
      {"-3352.5-07012.25/", -(33 + 52.5 / 60), -(70 + 12.25 / 60)},
      {"+48.1369+011.5753+520/", 48.1369, 11.5753},
      {" +480813.0+0113431.0 ", B0, L0},
      // The reference point to the last bit in every spelling of its marks.
      {"48°8′13″N 11°34′31″E", B0, L0},
      {"48d8'13\"N, 11d34'31\"E", B0, L0},
      {"48:8:13 11:34:31", B0, L0},
      {"N 48° 8′ 13″ E 11° 34′ 31″", B0, L0},
      {"48º8’13”N 11º34’31”E", B0, L0},
      {"48°8'13''N 11°34'31''E", B0, L0},
      {"\u221248:8:13 +11:34:31", -B0, L0},
      {"48°8′13″S, 11°34′31″W", -B0, -L0},
      // Parts left off, decimals in the last one.
      {"48°8.5′ 11°", 48 + 8.5 / 60, 11},
      {"48:8 11:34:31.5", 48 + 8.0 / 60, (11 + 34.0 / 60) + 31.5 / 3600},
      {"48.0°30′N 0", 48.5, 0},
      // A letter that touches the next number begins it.
      {"50 E10", 50, 10},
      {"-33 E151", -33, 151},
      {"50, W10", 50, -10},
      // Signed numbers that ISO 6709 without the blank reads alike.
      {"-33 +151", -33, 151},
      {"+48.1369 +011.5753", 48.1369, 11.5753},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const Position p = readPosition(c.text);
    EXPECT_EQ(p.latitude, c.latitude);
    EXPECT_EQ(p.longitude, c.longitude);
  }
  EXPECT_TRUE(std::signbit(readPosition("-0 0").latitude));
  // For the sweep every number as written.
  const Position sweep = readPosition("95 200", PositionRange::asSweep);
  EXPECT_EQ(sweep.latitude, 95);
  EXPECT_EQ(sweep.longitude, 200);
  EXPECT_EQ(readGivenPosition("50 350").given.longitude, 350);
}

TEST(PositionReader, RefusedPositionsQuoteTheTextAndSayWhy) {
  const struct {
    const char* text;
    const char* reason;
  } cases[] = {
      {"", "it is empty"},
      {"50", "it needs a latitude and a longitude"},
      {"50,", "it needs a latitude and a longitude"},
      {"50 10 3", "it has more than a latitude and a longitude"},
      {"bad", "'b' cannot be part of one"},
      {"50 10\u00b1", "'\u00b1' cannot be part of one"},
      {"48N 11S", "it has two latitudes (N or S on both)"},
      {"48E, 11W", "it has two longitudes (E or W on both)"},
      {"11E 48", "'E' marks a longitude, but the latitude comes first (with letters on both, either may)"},
      {"48 11N", "'N' marks a latitude, but the longitude comes second (with letters on both, either may)"},
      {"-33S 151E", "a coordinate has both a sign and a hemisphere letter"},
      {"N48S 11E", "it has two hemisphere letters on one coordinate"},
      {"48N11E", "a blank or a comma must stand between latitude and longitude"},
      {"48°60′ 11", "its minutes must be below 60, not 60"},
      {"48:8:60.0 11", "its seconds must be below 60, not 60.0"},
      {"48.5°30′ 11", "only the last of degrees, minutes and seconds may have decimals"},
      {"48°13″ 11", "its degrees, minutes and seconds must come in this order, each with its mark"},
      {"8′ 11", "its degrees, minutes and seconds must come in this order, each with its mark"},
      {"48°8′13″ 5″ 11", "its degrees, minutes and seconds must come in this order, each with its mark"},
      {"- 33 151", "a sign must stand right before its number"},
      {"48::8 11", "a colon must stand between numbers"},
      {"°48 11", "a coordinate must start with its number"},
      {"+-5 10", "a sign must stand right before its number"},
      {"50 E-10", "a coordinate has both a sign and a hemisphere letter"},
      {"50\x01 10", "'\\x01' cannot be part of one"},
      {"95 200", "its latitude 95 lies outside -90..90"},
      {"-90.5 0", "its latitude -90.5 lies outside -90..90"},
      // ISO 6709 with a stray blank is never read as another position.
      {"+4230 +00131",
       "it reads as ISO 6709 with blanks inside, which that form does not have; written without "
       "them it is 42.5 1.5166666666666666"},
      {"+0045 +00131",
       "it reads as ISO 6709 with blanks inside, which that form does not have; written without "
       "them it is 0.75 1.5166666666666666"},
      {"+4860+01134", "its minutes must be below 60, not 60"},
      {"+480860+0113431", "its seconds must be below 60, not 60"},
  };
  for (const auto& c : cases) {
    try {
      readPosition(c.text);
      ADD_FAILURE() << c.text << ": read";
    } catch (const PositionError& e) {
      std::string text = c.text;
      text.erase(text.find_last_not_of(' ') + 1);
      EXPECT_EQ(e.what(), "'" + printableText(text) + "' is not a position: " + c.reason);
    }
  }
}

// Longitude first, as GIS tools write x before y: the same forms with the
// coordinates swapped, the letters still deciding where both have one, ISO
// 6709 in its own order; the refusals say the order asked for.
TEST(PositionReader, LongitudeFirstSwapsWhatNoLettersDecide) {
  const struct {
    const char* text;
    double latitude, longitude;
  } cases[] = {
      {"10 50", 50, 10},
      {"151.21, -33.87", -33.87, 151.21},
      {"11°34'31\"E 48°8'13\"N", referenceLatitude(), referenceLongitude()},
      {"48°8'13\"N 11°34'31\"E", referenceLatitude(), referenceLongitude()},
      {"W 70.5 S 33", -33, -70.5},
      {"350 50", 50, -10},
      {"+4808+01134", 48 + 8.0 / 60, 11 + 34.0 / 60},
  };
  for (const auto& c : cases) {
    const GivenPosition p = readGivenPosition(c.text, PositionRange::asMeant, CoordinateOrder::longitudeFirst);
    EXPECT_EQ(p.used.latitude, c.latitude) << c.text;
    EXPECT_EQ(p.used.longitude, c.longitude) << c.text;
  }
  const struct {
    const char* text;
    const char* reason;
  } refused[] = {
      {"10 95", "'10 95' is not a position: its latitude 95 lies outside -90..90"},
      {"48N 11",
       "'48N 11' is not a position: 'N' marks a latitude, but the longitude comes first (with letters on "
       "both, either may)"},
      {"11 48E",
       "'11 48E' is not a position: 'E' marks a longitude, but the latitude comes second (with letters on "
       "both, either may)"},
  };
  for (const auto& c : refused) {
    try {
      readGivenPosition(c.text, PositionRange::asMeant, CoordinateOrder::longitudeFirst);
      ADD_FAILURE() << c.text;
    } catch (const PositionError& e) {
      EXPECT_STREQ(e.what(), c.reason);
    }
  }
}

// Numbers from a program take the rule of the texts: every edge of the
// library (encode, the batch, Python, the page) passes them through it.
TEST(PositionReader, NumbersAreTakenAsMeant) {
  const struct {
    double latitude, longitude;
    double takenLatitude, takenLongitude;
  } taken[] = {
      {50, 350, 50, -10}, {0, -540, 0, 180}, {90, -180, 90, -180}, {-90, 180, -90, 180}, {10, -190.5, 10, 169.5},
  };
  for (const auto& c : taken) {
    const Position p = takePosition(c.latitude, c.longitude);
    EXPECT_EQ(p.latitude, c.takenLatitude);
    EXPECT_EQ(p.longitude, c.takenLongitude);
  }
  const struct {
    double latitude, longitude;
    const char* reason;
  } refused[] = {
      {95, 0, "latitude 95 lies outside -90..90"},
      {-90.5, 0, "latitude -90.5 lies outside -90..90"},
      {NAN, 0, "latitude nan is not a finite number of degrees"},
      {0, -INFINITY, "longitude -inf is not a finite number of degrees"},
  };
  for (const auto& c : refused) {
    try {
      takePosition(c.latitude, c.longitude);
      ADD_FAILURE() << c.reason;
    } catch (const PositionError& e) {
      EXPECT_STREQ(e.what(), c.reason);
    }
    const Position sweep = takePosition(c.latitude, c.longitude, PositionRange::asSweep);
    EXPECT_TRUE(std::isnan(c.latitude) || sweep.latitude == c.latitude);
  }
}

}  // namespace
}  // namespace qv
