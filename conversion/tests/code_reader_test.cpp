// Reading code texts back: the forms accepted, the fields named when rejected.

#include <gtest/gtest.h>

#include <string>

#include "conversion/code_reader.hpp"

namespace {

using qv::readCode;

TEST(CodeReader, ReadsTheCodeTextWithOrWithoutItsBlank) {
  const auto c = readCode(" m11:6.6 r236.8");
  EXPECT_EQ(c.hour, 11);
  EXPECT_EQ(c.offsetKm, 6.6);
  EXPECT_EQ(c.distanceKm, 236.8);
  EXPECT_EQ(readCode("m11:6.6 r236.8").distanceKm, 236.8);
  const auto whole = readCode("m9:2537 r6536");
  EXPECT_EQ(whole.hour, 9);
  EXPECT_EQ(whole.offsetKm, 2537);
  EXPECT_EQ(whole.distanceKm, 6536);
}

TEST(CodeReader, OffsetsWithinTextRoundingAreBroughtToTheSphere) {
  const auto c = readCode("m5:1027.6 r2016.5");
  EXPECT_LE(c.offsetKm, qv::maxOffsetKm(2016.5));
  EXPECT_NEAR(c.offsetKm, 1027.6, 0.5);
}

void expectRejected(const char* code, const char* field) {
  try {
    readCode(code);
    ADD_FAILURE() << code << " was accepted";
  } catch (const qv::CodeFormatError& e) {
    EXPECT_NE(std::string(e.what()).find(field), std::string::npos) << code << ": " << e.what();
  }
}

TEST(CodeReader, RejectsMalformedCodesNamingTheField) {
  expectRejected("11:6.6 r236.8", "'m'");
  expectRejected("m13:6.6 r236.8", "hour");
  expectRejected("m0:6.6 r236.8", "hour");
  expectRejected("m:6.6 r236.8", "hour");
  expectRejected("m11 6.6 r236.8", "':'");
  expectRejected("m11:6.6 236.8", "' r'");
  expectRejected("m11:x r236.8", "offset");
  expectRejected("m11:6.6 r", "distance");
  expectRejected("m11:6.6 r20012.5", "distance");
  expectRejected("m11:300 r236.8", "offset");
  expectRejected("m11:6.6 r236.8 x", "after the distance");
}

}  // namespace

namespace {

// Every form the system writes is read; what it never writes is refused with
// the field named.
struct CodeForm {
  std::string text;
  const char* refusedField;  // null: read
};

const CodeForm codeForms[] = {
    {" m11:6.6 r236.8", nullptr},    // the code text
    {"m11:6 r236", nullptr},         // the component's whole kilometres
    {"m11:6.6  r236.8", nullptr},    // the report line and the window
    {"m12:0.5 r0.5", nullptr},
    {"m1:0 r20012.4", nullptr},
    {"m011:6 r236", "hour '011'"},
    {"m11:06 r236", "offset '06'"},
    {"m11:6 r00236.80", "distance '00236.80'"},
    {"m11:6.6 r236.80", "distance '236.80'"},
    {"m11:6.6 r236.0", "distance '236.0'"},
    {"m2:0 r.00009", "distance '.00009'"},
    {"m12:0 r0.0000003", "distance '0.0000003'"},
    {"m12:0 r0." + std::string(400, '0') + "3", "distance '0.000"},
    {"m1:0 r" + std::string(400, '9'), "lies beyond the farthest point"},
    {"m1:" + std::string(400, '9') + " r5", "more than a point 5 km away can have"},
    {"  m11:6.6 r236.8", "'m'"},
    {"m11:6.6   r236.8", "' r'"},
    {"m11:6.6 r236.8 ", "after the distance"},
    {"\tm11:6.6 r236.8", "'m'"},
};

TEST(CodeReader, ReadsTheWrittenFormsAndRefusesOthersNamingTheField) {
  for (const CodeForm& f : codeForms) {
    try {
      const qv::CodeValues v = readCode(f.text);
      EXPECT_EQ(f.refusedField, nullptr) << f.text << " was read";
      EXPECT_GE(v.hour, 1);
    } catch (const qv::CodeFormatError& e) {
      ASSERT_NE(f.refusedField, nullptr) << f.text << ": " << e.what();
      EXPECT_NE(std::string(e.what()).find(f.refusedField), std::string::npos) << f.text << ": " << e.what();
    }
  }
}

TEST(CodeReader, EveryCodeOnAnHoursRayHasAPosition) {
  // Offset 0 can carry the sector cosine just past 1; every distance text of
  // every hour must still give a position (sampled every 9.7 km).
  for (int hour = 1; hour <= 12; ++hour) {
    for (int tenths = 0; tenths <= 200124; tenths += 97) {
      const std::string code = "m" + std::to_string(hour) + ":0 r" + std::to_string(tenths / 10) +
                               (tenths % 10 ? "." + std::to_string(tenths % 10) : "");
      EXPECT_NO_THROW(qv::positionOf(readCode(code))) << code;
    }
  }
}

}  // namespace
