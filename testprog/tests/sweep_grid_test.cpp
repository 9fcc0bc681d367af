// The grid a sweep walks: order, counts, drift, and how it settles steps
// and ranges in the boxes.

#include <string_view>

#include "testprog/tests/form_fixture.hpp"

namespace qvpruef {
namespace {

using SweepGrid = FormTest;

bool startsWith(const std::string& s, std::string_view prefix) { return s.rfind(prefix, 0) == 0; }

TEST_F(SweepGrid, DefaultGridHas256683Cases) {
  form.pruefe_Click();
  ASSERT_TRUE(view.shownErrors().empty());
  EXPECT_EQ(form.fallzahl, 256683);
  EXPECT_EQ(view.text(Control::caseslab), "256683");
  // No round trip of the default grid is off by more than .001 seconds.
  EXPECT_EQ(reportBytes(), "\"cases=  256683\"\r\n");
  // The loop values end one step past their bounds.
  EXPECT_EQ(form.Ldez, -179.5);
  EXPECT_EQ(form.Bdez, -89.5);
}

TEST_F(SweepGrid, ColumnsRunFromTheNorthEastWestwards) {
  form.storeall_Click();
  grid("89", "-89", "180", "179.5");
  form.pruefe_Click();
  const auto lines = reportLines();
  ASSERT_EQ(lines.size(), 2U * 357 + 1);
  EXPECT_EQ(lines[0], " lat  89  long  180     m12:22.3  r4763.3   lat 89.0000 long 180");
  EXPECT_TRUE(startsWith(lines[1], " lat  88.5  long  180 "));
  EXPECT_TRUE(startsWith(lines[356], " lat -89  long  180 "));
  EXPECT_TRUE(startsWith(lines[357], " lat  89  long  179.5 "));
  EXPECT_EQ(lines.back(), "cases=  714");

  // The last case of the default grid.
  grid("-89", "-89", "-179", "-179");
  form.pruefe_Click();
  EXPECT_EQ(reportLines().front(), " lat -89  long -179     m5:2148.6  r15467.3   lat -88.999 long -179.00");
}

TEST_F(SweepGrid, StepsThatAreNoBinaryFractionsDrift) {
  view.setText(Control::Bstep, "10");
  grid("89", "-89", "0", "0");
  form.pruefe_Click();
  EXPECT_EQ(form.fallzahl, 1068);

  view.setText(Control::Lstep, "1");
  grid("0", "0", "180", "-179");
  form.pruefe_Click();
  EXPECT_EQ(form.fallzahl, 21540);
}

TEST_F(SweepGrid, ZeroStepsBecomeOneDegree) {
  view.setText(Control::Bstep, "0");
  view.setText(Control::Lstep, "");
  grid("2", "0", "2", "0");
  form.pruefe_Click();
  EXPECT_EQ(view.text(Control::Bstep), "60");
  EXPECT_EQ(view.text(Control::Lstep), "60");
  EXPECT_EQ(form.fallzahl, 9);

  view.setText(Control::Bstep, "abc");
  view.setText(Control::Lstep, "30");
  form.pruefe_Click();
  EXPECT_EQ(view.text(Control::Bstep), "60");
  EXPECT_EQ(view.text(Control::Lstep), "30");
  EXPECT_EQ(form.fallzahl, 15);
}

TEST_F(SweepGrid, AnInvertedRangeShrinksToItsUpperBound) {
  grid("10", "20", "5", "6.5");
  form.storeall_Click();
  form.pruefe_Click();
  EXPECT_EQ(view.text(Control::Bgradneg), "10");
  EXPECT_EQ(view.text(Control::Lgradneg), "5");
  const auto lines = reportLines();
  ASSERT_EQ(lines.size(), 2U);
  EXPECT_TRUE(startsWith(lines[0], " lat  10  long  5 "));
}

TEST_F(SweepGrid, NegativeStepsRunUpwardsAndOnlyEqualBoundsGiveCases) {
  view.setText(Control::Bstep, "-30");
  grid("10", "10", "5", "4");
  form.pruefe_Click();
  EXPECT_EQ(form.fallzahl, 3);  // one case per column

  grid("10", "9", "5", "4");
  form.pruefe_Click();
  EXPECT_EQ(form.fallzahl, 0);
  // An empty grid still rewrites the file.
  EXPECT_EQ(reportBytes(), "\"cases=  0\"\r\n");
}

TEST_F(SweepGrid, BoundsTypedWithoutEnterAreSweptAsTyped) {
  form.storeall_Click();

  // -180 is moved to -179.999999 by the first case of its column; the rest of
  // the column keeps the moved value and the next step ends the loop.
  grid("1", "0", "-179.5", "-180");
  form.pruefe_Click();
  auto lines = reportLines();
  ASSERT_EQ(lines.size(), 7U);
  EXPECT_TRUE(startsWith(lines[3], " lat  1  long -179.999999 "));
  EXPECT_TRUE(startsWith(lines[5], " lat  0  long -179.999999 "));

  // 90 becomes 89.9, and the column goes on from there.
  grid("90", "89", "0", "0");
  form.pruefe_Click();
  lines = reportLines();
  ASSERT_EQ(lines.size(), 3U);
  EXPECT_TRUE(startsWith(lines[0], " lat  89.9  long  0 "));
  EXPECT_TRUE(startsWith(lines[1], " lat  89.4  long  0 "));

  // 200 becomes 180 and the eastern bound box shows it; the next column is
  // 180 plus the step.
  grid("1", "0", "200", "179.5");
  form.pruefe_Click();
  lines = reportLines();
  EXPECT_EQ(view.text(Control::Lgradpos), "180");
  ASSERT_EQ(lines.size(), 7U);
  EXPECT_TRUE(startsWith(lines[0], " lat  1  long  180 "));
  EXPECT_TRUE(startsWith(lines[2], " lat  0  long  180 "));
  EXPECT_TRUE(startsWith(lines[3], " lat  1  long  179.5 "));
}

TEST_F(SweepGrid, ALatitudeBeyondNinetyIsSweptFromWhereItWasTyped) {
  grid("95", "94", "0", "0");
  form.pruefe_Click();
  EXPECT_EQ(form.fallzahl, 3);
}

TEST_F(SweepGrid, ReportBytesOfASmallGrid) {
  form.storeall_Click();
  grid("50", "49.5", "10", "10");
  form.pruefe_Click();
  // The same bytes on every platform: the first round trip ends just below
  // 50 and 10 everywhere, whatever the C runtime's sine would have said.
  EXPECT_EQ(reportBytes(),
            "\" lat  50  long  10     m11:6.6  r236.8   lat 49.9999 long 9.99999\"\r\n"
            "\" lat  49.5  long  10     m10:76  r190.4   lat 49.5 long 10.0000\"\r\n"
            "\"cases=  2\"\r\n");
}

}  // namespace
}  // namespace qvpruef
