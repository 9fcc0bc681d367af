// What the two store modes put into the report and the counters.

#include "testprog/tests/form_fixture.hpp"

namespace qvpruef {
namespace {

using StoreMode = FormTest;

TEST_F(StoreMode, StoreAllWritesEveryCaseAndJudgesNone) {
  grid("10", "9", "20", "19");
  form.storeall_Click();
  view.setText(Control::fehlersec, "");  // tolerance 0: nearly every case would fail
  form.pruefe_Click();
  const auto lines = reportLines();
  ASSERT_EQ(lines.size(), 10U);
  EXPECT_EQ(lines.back(), "cases=  9");
  EXPECT_EQ(form.fehlerzahl, 0);
  EXPECT_EQ(view.text(Control::errors), "0");
  EXPECT_EQ(view.text(Control::caseslab), "9");
}

TEST_F(StoreMode, StoreErrorsWritesAndCountsOnlyErrorCases) {
  grid("10", "9", "20", "19");
  view.setText(Control::fehlersec, "");
  form.pruefe_Click();
  const auto lines = reportLines();
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.back(), "cases=  9");
  EXPECT_EQ(static_cast<std::int64_t>(lines.size()) - 1, form.fehlerzahl);
  EXPECT_GT(form.fehlerzahl, 0);
  EXPECT_EQ(view.text(Control::errors), std::to_string(form.fehlerzahl));

  // With the default tolerance the round trips of these points hold.
  view.setText(Control::fehlersec, ".001");
  form.pruefe_Click();
  EXPECT_EQ(reportLines(), std::vector<std::string>{"cases=  9"});
  EXPECT_EQ(form.fehlerzahl, 0);
}

TEST_F(StoreMode, TheToleranceIsReadOnlyUpToItsNumber) {
  // "0,5" reads 0: the comma ends the number.
  grid("10", "9", "20", "19");
  view.setText(Control::fehlersec, "0,5");
  form.pruefe_Click();
  const std::int64_t withComma = form.fehlerzahl;
  view.setText(Control::fehlersec, "0");
  form.pruefe_Click();
  EXPECT_EQ(form.fehlerzahl, withComma);
  EXPECT_GT(withComma, 0);
}

TEST_F(StoreMode, TheModeLastsAcrossSweeps) {
  grid("1", "1", "1", "1");
  form.storeall_Click();
  form.pruefe_Click();
  form.pruefe_Click();
  EXPECT_EQ(reportLines().size(), 2U);
  form.storeerrors_Click();
  form.pruefe_Click();
  EXPECT_EQ(reportLines().size(), 1U);
}

}  // namespace
}  // namespace qvpruef
