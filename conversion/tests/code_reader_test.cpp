// Reading code texts back: the forms accepted, the fields named when rejected.

#include <gtest/gtest.h>

#include <string>

#include "conversion/code_reader.hpp"
#include "conversion/number_text.hpp"
#include "testdata/case_file.hpp"

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

// The shared cases: every written form read to its position, every refused
// form refused naming its field.
std::string text(const cases::Case& c) { return c.input.at(0).text(); }

TEST(CodeReader, SharedCasesOfDecodeAndReject) {
  for (const cases::Case& c : cases::read(QV_CASES_FILE, "decode")) {
    SCOPED_TRACE(c.where);
    const qv::Position p = qv::positionOf(readCode(text(c)));
    EXPECT_EQ(qv::plainNumberText(p.latitude) + " " + qv::plainNumberText(p.longitude), c.expected);
  }
  for (const cases::Case& c : cases::read(QV_CASES_FILE, "reject")) {
    SCOPED_TRACE(c.where);
    try {
      readCode(text(c));
      ADD_FAILURE() << "read";
    } catch (const qv::CodeFormatError& e) {
      EXPECT_NE(std::string(e.what()).find(c.expected), std::string::npos) << e.what();
    }
  }
}

}  // namespace

namespace {

// What the system never writes is refused with the field named.
struct CodeForm {
  std::string text;
  const char* refusedField;  // null: read
};

// Beside the shared cases: texts too long or too odd for the cases file.
const CodeForm codeForms[] = {
    {"m12:0 r0." + std::string(400, '0') + "3", "distance '0.000"},
    {"m1:0 r" + std::string(400, '9'), "lies beyond the farthest point"},
    {"m1:" + std::string(400, '9') + " r5", "more than a point 5 km away can have"},
    {"\tm11:6.6 r236.8\t", nullptr},  // tabs around a code are left aside, as blanks are
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
