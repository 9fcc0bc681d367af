// The Variant-to-Single conversion of the degree, minute and second elements.

#include "component/core/to_single.hpp"

#include <gtest/gtest.h>

#include <limits>

#include "conversion/runtime_error.hpp"

namespace qv {
namespace {

ErrorKind errorOf(const Value& v) {
  try {
    toSingle(v);
  } catch (const RuntimeError& e) {
    return e.kind();
  }
  ADD_FAILURE() << "no run-time error";
  return ErrorKind::InvalidCall;
}

TEST(ToSingle, RoundsADoubleToTheNearestSingle) {
  EXPECT_EQ(toSingle(0.1), 0.1f);
  EXPECT_EQ(toSingle(16777217.0), 16777216.0f);
}

TEST(ToSingle, BooleanTrueIsMinusOne) {
  EXPECT_EQ(toSingle(true), -1.0f);
  EXPECT_EQ(toSingle(false), 0.0f);
}

TEST(ToSingle, EmptyIsZero) { EXPECT_EQ(toSingle(Empty{}), 0.0f); }

TEST(ToSingle, NullIsAnInvalidUseOfNull) { EXPECT_EQ(errorOf(Null{}), ErrorKind::InvalidUseOfNull); }

TEST(ToSingle, OutsideTheSingleRangeIsAnOverflow) {
  EXPECT_EQ(errorOf(1e39), ErrorKind::Overflow);
  EXPECT_EQ(errorOf(-1e39), ErrorKind::Overflow);
  EXPECT_EQ(errorOf(std::string("1e39")), ErrorKind::Overflow);
  EXPECT_EQ(errorOf(std::string("1e400")), ErrorKind::Overflow);
  EXPECT_EQ(errorOf(std::numeric_limits<double>::quiet_NaN()), ErrorKind::Overflow);
}

TEST(ToSingle, NumericTextIsReadAsItsNumber) {
  EXPECT_EQ(toSingle(std::string("12.5")), 12.5f);
  EXPECT_EQ(toSingle(std::string("  -3 ")), -3.0f);
  EXPECT_EQ(toSingle(std::string("+.5")), 0.5f);
  EXPECT_EQ(toSingle(std::string("1.5E+2")), 150.0f);
  EXPECT_EQ(toSingle(std::string("2d1")), 20.0f);
}

TEST(ToSingle, OtherTextIsATypeMismatch) {
  for (const char* text : {"", " ", "N", "12abc", "1,5", "0x10", "inf", "nan", "--1", "1e", "."})
    EXPECT_EQ(errorOf(std::string(text)), ErrorKind::TypeMismatch) << '"' << text << '"';
}

TEST(ToSingle, UnsupportedKindsAreATypeMismatch) { EXPECT_EQ(errorOf(Unsupported{}), ErrorKind::TypeMismatch); }

}  // namespace
}  // namespace qv
