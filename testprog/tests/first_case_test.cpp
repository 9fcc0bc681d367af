// The first case of a sweep shown in the nineteen captions, and the
// counters shown on every case.

#include "testprog/tests/form_fixture.hpp"

namespace qvpruef {
namespace {

using FirstCase = FormTest;

TEST_F(FirstCase, NineteenCaptionsShowTheFirstCaseOnly) {
  // The first case at the reference point's latitude and at 0.5125 east.
  grid("48.136944444444445", "47", "0.5125", "0");
  view.setText(Control::Bstep, "60");
  view.setText(Control::Lstep, "30");
  form.storeall_Click();
  form.pruefe_Click();
  ASSERT_TRUE(view.shownErrors().empty());
  EXPECT_EQ(form.fallzahl, 4);

  EXPECT_EQ(view.text(Control::WGSin), "lat  48.1369444444444  long  .51");
  EXPECT_EQ(view.text(Control::QV), "m9:58.9  r820.1");
  EXPECT_EQ(view.text(Control::WGSbk), "lat 48.1369  long 0.51249");
  EXPECT_EQ(view.text(Control::Bgradin), "48");
  EXPECT_EQ(view.text(Control::nsin), "N");
  EXPECT_EQ(view.text(Control::Bminin), "8");
  EXPECT_EQ(view.text(Control::Bsekin), "13");
  EXPECT_EQ(view.text(Control::Lgradin), "0");
  EXPECT_EQ(view.text(Control::EWin), "E");
  EXPECT_EQ(view.text(Control::Lminin), "30");
  // Minutes 30.749999999999996 in double: the seconds are truncated.
  EXPECT_EQ(view.text(Control::Lsekin), "44.99");
  EXPECT_EQ(view.text(Control::Bgradbk), "48");
  EXPECT_EQ(view.text(Control::NSbk), "N");
  EXPECT_EQ(view.text(Control::Bminbk), "8");
  EXPECT_EQ(view.text(Control::Lgradbk), "0");
  EXPECT_EQ(view.text(Control::EWbk), "E");
  EXPECT_EQ(view.text(Control::Lminbk), "30");
  EXPECT_EQ(view.text(Control::errors), "0");
  EXPECT_EQ(view.text(Control::caseslab), "4");
}

TEST_F(FirstCase, SouthernAndWesternCaseShowsItsLetters) {
  grid("-33.5", "-33.5", "-70.25", "-70.25");
  form.pruefe_Click();
  EXPECT_EQ(view.text(Control::WGSin), "lat -33.5  long -70.25");
  EXPECT_EQ(view.text(Control::nsin), "S");
  EXPECT_EQ(view.text(Control::Bgradin), "33");
  EXPECT_EQ(view.text(Control::Bminin), "30");
  EXPECT_EQ(view.text(Control::EWin), "W");
  EXPECT_EQ(view.text(Control::Lgradin), "70");
  EXPECT_EQ(view.text(Control::Lminin), "15");
  EXPECT_EQ(view.text(Control::NSbk), "S");
  EXPECT_EQ(view.text(Control::EWbk), "W");
}

TEST_F(FirstCase, ANewSweepStartsWithEmptyPositionTextsAndCountsAgain) {
  grid("10", "10", "10", "10");
  form.pruefe_Click();
  EXPECT_EQ(view.text(Control::caseslab), "1");
  // A sweep that fails at opening its file has already reset the display.
  view.setText(Control::fonte, "/nonexistent-folder/r.txt");
  form.pruefe_Click();
  EXPECT_EQ(view.text(Control::WGSin), "");
  EXPECT_EQ(view.text(Control::QV), "");
  EXPECT_EQ(view.text(Control::WGSbk), "");
  EXPECT_EQ(view.text(Control::caseslab), "...");
  EXPECT_EQ(view.text(Control::errors), "...");
  // The sixteen fields keep the last first case.
  EXPECT_EQ(view.text(Control::Bgradin), "10");
  EXPECT_EQ(form.fallzahl, 0);
}

}  // namespace
}  // namespace qvpruef
