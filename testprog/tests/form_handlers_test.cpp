// The small handlers: range filters, metres display, store buttons, end.

#include "testprog/tests/form_fixture.hpp"

namespace qvpruef {
namespace {

using FormHandlers = FormTest;

TEST_F(FormHandlers, RangeFiltersActOnEnterAndOnlyAtTheirOwnLimit) {
  view.setText(Control::Bgradpos, "95");
  form.Bgradpos_KeyPress('5');
  EXPECT_EQ(view.text(Control::Bgradpos), "95");
  form.Bgradpos_KeyPress('\r');
  EXPECT_EQ(view.text(Control::Bgradpos), "89");

  view.setText(Control::Bgradpos, "-95");
  form.Bgradpos_KeyPress('\r');
  EXPECT_EQ(view.text(Control::Bgradpos), "-95");
  view.setText(Control::Bgradpos, "89.5");
  form.Bgradpos_KeyPress('\r');
  EXPECT_EQ(view.text(Control::Bgradpos), "89");

  view.setText(Control::Bgradneg, "-89.01");
  form.Bgradneg_KeyPress('\r');
  EXPECT_EQ(view.text(Control::Bgradneg), "-89");
  view.setText(Control::Bgradneg, "95");
  form.Bgradneg_KeyPress('\r');
  EXPECT_EQ(view.text(Control::Bgradneg), "95");

  view.setText(Control::Lgradneg, "-179.5");
  form.Lgradneg_KeyPress('\r');
  EXPECT_EQ(view.text(Control::Lgradneg), "-179");
  view.setText(Control::Lgradpos, "-180");
  form.Lgradpos_KeyPress('\r');
  EXPECT_EQ(view.text(Control::Lgradpos), "-180");
  view.setText(Control::Lgradpos, "180.5");
  form.Lgradpos_KeyPress('\r');
  EXPECT_EQ(view.text(Control::Lgradpos), "180");

  // A text without a number reads 0, within every limit.
  view.setText(Control::Bgradpos, "abc");
  form.Bgradpos_KeyPress('\r');
  EXPECT_EQ(view.text(Control::Bgradpos), "abc");
}

TEST_F(FormHandlers, MetresDisplayRoundsDownToTwoOrFiveDecimals) {
  form.Form_Activate();
  EXPECT_EQ(view.text(Control::metros), "0.03");
  form.fehlersec_KeyPress('1');
  EXPECT_EQ(view.text(Control::metros), "0.03");
  form.fehlersec_KeyPress('\r');
  EXPECT_EQ(view.text(Control::metros), "0.03088");
  view.setText(Control::fehlersec, "1");
  form.fehlersec_KeyPress('\r');
  EXPECT_EQ(view.text(Control::metros), "30.88333");
  view.setText(Control::fehlersec, "-1");
  form.fehlersec_KeyPress('\r');
  EXPECT_EQ(view.text(Control::metros), "-30.88334");
  view.setText(Control::fehlersec, "x");
  form.fehlersec_KeyPress('\r');
  EXPECT_EQ(view.text(Control::metros), "0");
}

TEST_F(FormHandlers, AnOverflowingToleranceIsShownAndTheFormGoesOn) {
  view.setText(Control::fehlersec, "1e307");
  form.fehlersec_KeyPress('\r');
  ASSERT_EQ(view.shownErrors().size(), 1U);
  EXPECT_EQ(view.shownErrors()[0], "Run-time error 6: Overflow");
  EXPECT_EQ(view.text(Control::metros), "m");
  EXPECT_FALSE(view.programEnded());
}

TEST_F(FormHandlers, StoreButtonsSwitchTheModeAndDisableTheirOwnButton) {
  EXPECT_EQ(form.speichermodus, 0);
  EXPECT_FALSE(view.isEnabled(Control::storeerrors));
  EXPECT_TRUE(view.isEnabled(Control::storeall));

  view.setText(Control::errors, "5");
  form.storeall_Click();
  EXPECT_EQ(form.speichermodus, 1);
  EXPECT_TRUE(view.isEnabled(Control::storeerrors));
  EXPECT_FALSE(view.isEnabled(Control::storeall));
  EXPECT_EQ(view.text(Control::Label15), "store all");
  EXPECT_EQ(view.text(Control::errors), "...");
  EXPECT_EQ(view.text(Control::caseslab), "...");

  form.storeerrors_Click();
  EXPECT_EQ(form.speichermodus, 0);
  EXPECT_FALSE(view.isEnabled(Control::storeerrors));
  EXPECT_TRUE(view.isEnabled(Control::storeall));
  EXPECT_EQ(view.text(Control::Label15), "store error");
}

TEST_F(FormHandlers, EndEndsTheProgram) {
  form.fim_Click();
  EXPECT_TRUE(view.programEnded());
}

}  // namespace
}  // namespace qvpruef
