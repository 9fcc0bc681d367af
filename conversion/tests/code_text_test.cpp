// The spellings of numbers in a code text, and the degree split into degrees, minutes and seconds.
#include <gtest/gtest.h>

#include "conversion/detail/case_texts.hpp"
#include "conversion/dms.hpp"

namespace {

using qv::oneDecimalText;

TEST(OneDecimalText, TruncatesTheWholePartAndRoundsTheTenth) {
  EXPECT_EQ(oneDecimalText(523.96), "523");
  EXPECT_EQ(oneDecimalText(523.44), "523.4");
  EXPECT_EQ(oneDecimalText(523.06), "523.1");
  EXPECT_EQ(oneDecimalText(0.96), "0");
  EXPECT_EQ(oneDecimalText(99.96), "99");
  EXPECT_EQ(oneDecimalText(0.04), "0");
  EXPECT_EQ(oneDecimalText(0), "0");
  EXPECT_EQ(oneDecimalText(236.7795803439312), "236.8");
}

TEST(OneDecimalText, TiesOfTheTenthRoundToEven) {
  EXPECT_EQ(oneDecimalText(0.25), "0.2");  // 2.5 tenths → 2
  EXPECT_EQ(oneDecimalText(0.75), "0.8");  // 7.5 tenths → 8
  EXPECT_EQ(oneDecimalText(12.5), "12.5");
  EXPECT_EQ(oneDecimalText(20012.4), "20012.4");
}

TEST(CodeText, HourTakesOneOrTwoCharacters) {
  EXPECT_EQ(qv::codeText(5, "0", "0"), " m5:0 r0");
  EXPECT_EQ(qv::codeText(10, "1.5", "2"), " m10:1.5 r2");
  EXPECT_EQ(qv::hourText(9), "9");
  EXPECT_EQ(qv::hourText(100), "10");  // cut, never widened
  EXPECT_EQ(qv::hourText(-12), "-1");
}

TEST(DegreeSplit, TruncatesSecondsToHundredths) {
  const auto ref = qv::splitDegrees(48.136944444444445);
  EXPECT_EQ(ref.degrees, "48");
  EXPECT_EQ(ref.minutes, "8");
  EXPECT_EQ(ref.seconds, "13");
  const auto half = qv::splitDegrees(0.5125);  // minutes 30.749999999999996
  EXPECT_EQ(half.degrees, "0");
  EXPECT_EQ(half.minutes, "30");
  EXPECT_EQ(half.seconds, "44.99");
}

TEST(DegreeSplit, CarriesNoSign) {
  const auto south = qv::splitDegrees(-33.75);
  EXPECT_EQ(south.degrees, "33");
  EXPECT_EQ(south.minutes, "45");
  const auto tiny = qv::splitDegrees(-1e-9);
  EXPECT_EQ(tiny.degrees, "0");
  EXPECT_EQ(tiny.minutes, "0");
  EXPECT_EQ(tiny.seconds, "0");
}

TEST(CodeText, EverySpellingOfOneCode) {
  EXPECT_EQ(qv::codeText(11, "6.6", "236.8"), " m11:6.6 r236.8");
  EXPECT_EQ(qv::captionCode(11, "6.6", "236.8"), "m11:6.6  r236.8");
  char line[qv::reportCodeRoom];
  qv::ErrorMode off;
  const char* end = qv::writeReportCode(line, 11, 6.6, 236.7795803439312, off);
  EXPECT_EQ(std::string(line, static_cast<std::size_t>(end - line)), "     m11:6.6  r236.8");
  EXPECT_EQ(qv::wholeKmCode(11, 6, 236), "m11:6 r236");
  EXPECT_EQ(qv::wholeKmCode(2, 1187, 16328), "m2:1187 r16328");
}

TEST(CodeTexts, AFailingTextUnderSkipOnErrorModeStaysEmptyAndTheCodeGoesWithoutIt) {
  // No conversion gives such an offset; only the step's failure is shown.
  qv::CaseValues v;
  v.distkm = 236.7795803439312;
  v.versatzkm = 1e300;
  qv::ErrorMode skipping;
  skipping.skipOnError();
  qv::codeTexts(11, v, skipping);
  EXPECT_EQ(v.disttext, "236.8");
  EXPECT_EQ(v.versatztext, "");
  EXPECT_EQ(v.codetext, " m11: r236.8");

  qv::CaseValues w = v;
  w.disttext = w.versatztext = w.codetext = "";
  qv::ErrorMode off;
  EXPECT_THROW(qv::codeTexts(11, w, off), qv::RuntimeError);
  EXPECT_EQ(w.disttext, "236.8");
  EXPECT_EQ(w.codetext, "");
}

}  // namespace
