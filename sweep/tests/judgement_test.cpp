// Which cases are error cases: both directions, the short way round the
// globe, strictly beyond the tolerance.

#include <gtest/gtest.h>

#include "sweep/detail/judgement.hpp"
#include "conversion/runtime_error.hpp"

namespace qvsweep {
namespace {

constexpr double tolerance = .001 / 3600;  // ".001" seconds of arc

TEST(Judgement, EitherDirectionBeyondTheToleranceIsAnError) {
  EXPECT_TRUE(isErrorCase(50, 10, 50 + 3e-7, 10, tolerance));
  EXPECT_TRUE(isErrorCase(50, 10, 50 - 3e-7, 10, tolerance));
  EXPECT_TRUE(isErrorCase(50, 10, 50, 10 + 3e-7, tolerance));
  EXPECT_TRUE(isErrorCase(50, 10, 50, 10 - 3e-7, tolerance));
  EXPECT_FALSE(isErrorCase(50, 10, 50 + 2e-7, 10 - 2e-7, tolerance));
}

TEST(Judgement, ExactlyTheToleranceIsNoError) {
  EXPECT_FALSE(isErrorCase(0, 0, 0.25, -0.25, 0.25));
  EXPECT_TRUE(isErrorCase(0, 0, 0.25, -0.25, 0.2499999));
}

TEST(Judgement, ZeroToleranceAcceptsOnlyAnUnchangedPosition) {
  EXPECT_FALSE(isErrorCase(12.5, -3, 12.5, -3, 0));
  EXPECT_TRUE(isErrorCase(12.5, -3, 12.5, -3.0000000000001, 0));
}

TEST(Judgement, LongitudesAreComparedAcrossTheDateLine) {
  EXPECT_NEAR(longitudeDifference(-179.9, 180), 0.1, 1e-9);
  EXPECT_NEAR(longitudeDifference(180, -179.9), -0.1, 1e-9);
  EXPECT_TRUE(isErrorCase(0, 180, 0, -179.9, tolerance));
  EXPECT_TRUE(isErrorCase(0, -179.9, 0, 180, tolerance));
  EXPECT_FALSE(isErrorCase(0, 180, 0, -180 + 1e-12, 1e-9));
  // A longitude below -180 is the same meridian as its value plus 360.
  EXPECT_DOUBLE_EQ(longitudeDifference(175, -185), 0);
  // The result lies in (-180, 180].
  EXPECT_DOUBLE_EQ(longitudeDifference(90, -90), 180);
  EXPECT_DOUBLE_EQ(longitudeDifference(-90, 90), 180);
}

TEST(Judgement, AnOverflowingDifferenceRaises) {
  EXPECT_THROW(isErrorCase(-1.7e308, 0, 1.7e308, 0, 0), qv::RuntimeError);
}

}  // namespace
}  // namespace qvsweep
