// The text value: what is read, what is skipped, what raises.

#include <gtest/gtest.h>

#include "conversion/runtime_error.hpp"
#include "conversion/detail/text_value.hpp"

namespace {

using qv::textValue;

TEST(TextValue, ReadsTheLeadingNumber) {
  EXPECT_EQ(textValue("89"), 89);
  EXPECT_EQ(textValue("-179.5"), -179.5);
  EXPECT_EQ(textValue(".001"), 0.001);
  EXPECT_EQ(textValue("+5"), 5);
  EXPECT_EQ(textValue("30.00"), 30);
  EXPECT_EQ(textValue("1.5E3"), 1500);
  EXPECT_EQ(textValue("2d-2"), 0.02);
}

TEST(TextValue, IgnoresBlanksTabsAndLineFeedsEvenInsideTheNumber) {
  EXPECT_EQ(textValue("  12"), 12);
  EXPECT_EQ(textValue("1 2 3"), 123);
  EXPECT_EQ(textValue("\t- 4\n.5"), -4.5);
  EXPECT_EQ(textValue("1 e 2"), 100);
}

TEST(TextValue, StopsAtTheFirstCharacterThatCannotBelong) {
  EXPECT_EQ(textValue("0,5"), 0);
  EXPECT_EQ(textValue("3,7"), 3);
  EXPECT_EQ(textValue("12abc"), 12);
  EXPECT_EQ(textValue("1.2.3"), 1.2);
  EXPECT_EQ(textValue("5e"), 5);
  EXPECT_EQ(textValue("5e+"), 5);
  EXPECT_EQ(textValue("--5"), 0);
  EXPECT_EQ(textValue("1\r"), 1);
}

TEST(TextValue, NoNumberGivesZeroAndNoError) {
  EXPECT_EQ(textValue(""), 0);
  EXPECT_EQ(textValue("abc"), 0);
  EXPECT_EQ(textValue("."), 0);
  EXPECT_EQ(textValue("-"), 0);
  EXPECT_EQ(textValue("c:/QV_errorDetect.txt"), 0);
}

TEST(TextValue, BeyondTheDoubleRangeOverflowsButTinyValuesReadAsZero) {
  EXPECT_THROW(textValue("1e999"), qv::RuntimeError);
  EXPECT_THROW(textValue("-1e99999999999999999999"), qv::RuntimeError);
  EXPECT_EQ(textValue("1e-999"), 0);
  EXPECT_EQ(textValue("0.0001e-400"), 0);
  try {
    textValue("9e400");
  } catch (const qv::RuntimeError& e) {
    EXPECT_EQ(e.number(), 6);
  }
}

}  // namespace
