// Number texts and plain number texts: sign position, digits, exponent form,
// and their rounding.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include <charconv>

#include "conversion/detail/float_text.hpp"
#include "conversion/number_text.hpp"

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

// The digits of the texts against the C library's correctly rounded
// scientific form: %.14e for a double, %.6e for a float's value, over values
// of every magnitude the texts meet, random bit patterns, and the half-way
// values where the shortest text alone cannot decide.
std::string fromPrintf(double v, int precision, bool plain) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*e", precision - 1, std::fabs(v));
  std::string digits;
  const char* p = buf;
  for (; *p != 'e'; ++p)
    if (*p != '.') digits += *p;
  const int x = std::atoi(p + 1);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  std::string sign = v < 0 ? "-" : plain ? "" : " ";
  if (v == 0) return plain ? "0" : " 0";
  const int n = static_cast<int>(digits.size());
  if (x < -4 || x >= precision) {
    std::string t = sign + digits.substr(0, 1);
    if (n > 1) t += "." + digits.substr(1);
    char e[16];
    std::snprintf(e, sizeof e, "E%c%02d", x < 0 ? '-' : '+', std::abs(x));
    return t + e;
  }
  if (x < 0) return sign + (plain ? "0." : ".") + std::string(static_cast<std::size_t>(-x - 1), '0') + digits;
  if (n <= x + 1) return sign + digits + std::string(static_cast<std::size_t>(x + 1 - n), '0');
  return sign + digits.substr(0, static_cast<std::size_t>(x + 1)) + "." +
         digits.substr(static_cast<std::size_t>(x + 1));
}

TEST(NumberText, DigitsAreTheValueRoundedToNearest) {
  std::vector<double> values;
  std::mt19937_64 rng(7);
  for (int i = 0; i < 200000; ++i) {
    double v;
    const std::uint64_t bits = rng();
    std::memcpy(&v, &bits, sizeof v);
    if (std::isfinite(v)) values.push_back(v);
    values.push_back(std::ldexp(static_cast<double>(rng() >> 11), -53) *
                     std::pow(10.0, static_cast<int>(rng() % 40) - 20));
  }
  // Half-way texts with 16 digits, and their neighbours.
  for (const double v : {0.123456789012345, 47.49999999999995, 1.000000000000005, 9.999999999999995, 179.99999999999995,
                         88.83333333333335, 2.5e-5, 0.00012345678901234})
    for (double w = v, k = 0; k < 8; ++k, w = std::nextafter(w, 1e300)) values.push_back(w);
  for (double lat = 89; lat >= -89; lat -= 1.0 / 6) values.push_back(lat);
  for (const double v : values) {
    ASSERT_EQ(numberText(v), fromPrintf(v, 15, false)) << std::hexfloat << v;
    ASSERT_EQ(plainNumberText(v), fromPrintf(v, 15, true)) << std::hexfloat << v;
    const auto f = static_cast<float>(v);
    if (std::isfinite(f) && f != 0) {
      ASSERT_EQ(numberText(f), fromPrintf(f, 7, false)) << std::hexfloat << f;
    }
  }
}

// The shortest texts, quick for short decimals, are the standard library's
// for every kind of double: decimals of up to nine places around the quick
// range's ends, random bits, and their neighbours.
TEST(ShortestText, IsTheStandardLibrarysForEveryDouble) {
  std::mt19937_64 rng(20261210);
  std::vector<double> values = {0, -0.0, 1e-3, 0.00099999999999999, 1e5, 99999.999999, 99999.9999995, 5e-07, 1e-3 / 3};
  std::uniform_int_distribution<long long> digits(0, 999999999);
  for (int i = 0; i < 300000; ++i) {
    const double scale = std::pow(10.0, static_cast<int>(rng() % 10));
    const double decimal = static_cast<double>(digits(rng) / static_cast<long long>(1 + rng() % 100000)) / scale;
    double random;
    const std::uint64_t bits = rng();
    std::memcpy(&random, &bits, sizeof random);
    for (const double v : {decimal, -decimal, random, std::nextafter(decimal, 1e300), std::nextafter(decimal, 0.0)})
      if (std::isfinite(v)) values.push_back(v);
  }
  for (const double v : values) {
    char ours[64], theirs[64];
    const std::string_view a(ours, static_cast<std::size_t>(qv::writeShortest(ours, ours + sizeof ours, v) - ours));
    const std::string_view b(theirs,
                             static_cast<std::size_t>(std::to_chars(theirs, theirs + sizeof theirs, v).ptr - theirs));
    ASSERT_EQ(a, b) << v;
  }
}
