// Number texts and plain number texts: sign position, digits, exponent form.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "number_text.hpp"

namespace {

using qv::numberText;
using qv::plainNumberText;

TEST(NumberText, ReservesTheSignPosition) {
  EXPECT_EQ(numberText(12.0), " 12");
  EXPECT_EQ(numberText(47.5), " 47.5");
  EXPECT_EQ(numberText(-47.5), "-47.5");
  EXPECT_EQ(plainNumberText(12.0), "12");
  EXPECT_EQ(plainNumberText(-3.25), "-3.25");
}

TEST(NumberText, BelowOneHasNoLeadingZeroButPlainTextHasOne) {
  EXPECT_EQ(numberText(0.5), " .5");
  EXPECT_EQ(numberText(-0.25), "-.25");
  EXPECT_EQ(plainNumberText(0.5), "0.5");
  EXPECT_EQ(plainNumberText(-0.25), "-0.25");
  EXPECT_EQ(numberText(0.001), " .001");
}

TEST(NumberText, NegativeZeroIsZero) {
  EXPECT_EQ(numberText(-0.0), " 0");
  EXPECT_EQ(plainNumberText(-0.0), "0");
  EXPECT_EQ(numberText(-0.0f), " 0");
  EXPECT_EQ(plainNumberText(std::optional<double>(-0.0)), "0");
}

TEST(NumberText, DoubleKeepsFifteenSignificantDigitsWithoutTrailingZeros) {
  EXPECT_EQ(numberText(48.136944444444445), " 48.1369444444444");
  EXPECT_EQ(plainNumberText(47.4999987654321), "47.4999987654321");
  EXPECT_EQ(numberText(0.1 + 0.2), " .3");
  EXPECT_EQ(numberText(179.5), " 179.5");
  EXPECT_EQ(numberText(123456789012345.0), " 123456789012345");
  // Rounding to 15 digits may carry into a new digit.
  EXPECT_EQ(plainNumberText(9.9999999999999995), "10");
}

TEST(NumberText, ExponentFormForMagnitudesTheDigitsCannotHold) {
  EXPECT_EQ(numberText(1e15), " 1E+15");
  EXPECT_EQ(numberText(-2.5e20), "-2.5E+20");
  EXPECT_EQ(numberText(0.0001), " .0001");
  EXPECT_EQ(numberText(0.00001), " 1E-05");
  EXPECT_EQ(plainNumberText(-1.4210854715202004e-14), "-1.4210854715202E-14");
  EXPECT_EQ(numberText(1e-300), " 1E-300");
  EXPECT_EQ(numberText(std::numeric_limits<double>::max()), " 1.79769313486232E+308");
}

TEST(NumberText, FloatKeepsSevenDigitsAndCountsReachExponentFormAtTenMillion) {
  EXPECT_EQ(numberText(9999999.0f), " 9999999");
  EXPECT_EQ(numberText(10000000.0f), " 1E+07");
  EXPECT_EQ(numberText(16777216.0f), " 1.677722E+07");
  EXPECT_EQ(plainNumberText(0.1f), "0.1");
  EXPECT_EQ(plainNumberText(236.7796f), "236.7796");
  EXPECT_EQ(plainNumberText(6536.0f), "6536");
}

TEST(NumberText, WholeCountsKeepAllDigits) {
  EXPECT_EQ(numberText(std::int64_t{256683}), " 256683");
  EXPECT_EQ(numberText(std::int64_t{16777217}), " 16777217");
  EXPECT_EQ(numberText(std::int64_t{0}), " 0");
  EXPECT_EQ(plainNumberText(std::int64_t{1221}), "1221");
}

TEST(NumberText, EmptyValueJoinsAsEmptyText) { EXPECT_EQ(plainNumberText(std::optional<double>()), ""); }

}  // namespace
