// pruefe_Click as the form shows it: the boxes take the settled texts, the
// counters and the form-level fields take the sweep's result, the store
// mode lasts, and a failure is shown while the form goes on.  What the
// sweep itself does is the engine's (sweep/tests).

#include <filesystem>
#include <string_view>

#include "testprog/tests/form_fixture.hpp"

namespace qvpruef {
namespace {

using FormSweep = FormTest;

bool contains(const std::string& s, std::string_view part) { return s.find(part) != std::string::npos; }

TEST_F(FormSweep, TheDesignTextsSweepTheDefaultGridIntoTheFields) {
  form.pruefe_Click();
  ASSERT_TRUE(view.shownErrors().empty());
  EXPECT_EQ(form.fallzahl, 256683);
  EXPECT_EQ(view.text(Control::caseslab), "256683");
  // The loop values end one step past their bounds.
  EXPECT_EQ(form.Ldez, -179.5);
  EXPECT_EQ(form.Bdez, -89.5);
}

TEST_F(FormSweep, TheBoxesShowTheSettledTexts) {
  struct Typed {
    const char* name;
    std::vector<std::pair<Control, const char*>> typed, shown;
    std::int64_t cases;
  };
  const Typed rows[] = {
      {"steps of 0 and of no text",
       {{Control::Bstep, "0"}, {Control::Lstep, ""}},
       {{Control::Bstep, "60"}, {Control::Lstep, "60"}},
       9},
      {"a step without a number",
       {{Control::Bstep, "abc"}, {Control::Lstep, "30"}},
       {{Control::Bstep, "60"}, {Control::Lstep, "30"}},
       15},
      {"inverted ranges",
       {{Control::Bgradpos, "10"}, {Control::Bgradneg, "20"}, {Control::Lgradpos, "5"}, {Control::Lgradneg, "6.5"}},
       {{Control::Bgradneg, "10"}, {Control::Lgradneg, "5"}},
       1},
      // The first case moves the eastern bound to 180, and its box says so.
      {"an eastern bound beyond 180",
       {{Control::Bgradpos, "1"}, {Control::Bgradneg, "0"}, {Control::Lgradpos, "200"}, {Control::Lgradneg, "179.5"}},
       {{Control::Lgradpos, "180"}},
       6},
  };
  for (const Typed& row : rows) {
    SCOPED_TRACE(row.name);
    MemoryView fresh;
    view = fresh;
    view.setText(Control::fonte, reportPath());
    grid("2", "0", "2", "0");
    for (const auto& [box, text] : row.typed) view.setText(box, text);
    form.pruefe_Click();
    ASSERT_TRUE(view.shownErrors().empty());
    for (const auto& [box, text] : row.shown) EXPECT_EQ(view.text(box), text);
    EXPECT_EQ(form.fallzahl, row.cases);
  }
}

TEST_F(FormSweep, TheCountersShowTheCountsOfEitherMode) {
  grid("10", "9", "20", "19");
  view.setText(Control::fehlersec, "");  // tolerance 0: nearly every case would fail
  form.storeall_Click();
  form.pruefe_Click();
  EXPECT_EQ(form.fehlerzahl, 0);
  EXPECT_EQ(view.text(Control::errors), "0");
  EXPECT_EQ(view.text(Control::caseslab), "9");

  form.storeerrors_Click();
  form.pruefe_Click();
  EXPECT_GT(form.fehlerzahl, 0);
  EXPECT_EQ(view.text(Control::errors), std::to_string(form.fehlerzahl));
  EXPECT_EQ(view.text(Control::caseslab), "9");
}

TEST_F(FormSweep, TheStoreModeLastsAcrossSweeps) {
  grid("1", "1", "1", "1");
  form.storeall_Click();
  form.pruefe_Click();
  form.pruefe_Click();
  EXPECT_EQ(reportLines().size(), 2U);
  form.storeerrors_Click();
  form.pruefe_Click();
  EXPECT_EQ(reportLines().size(), 1U);
}

TEST_F(FormSweep, AnUnopenableReportIsShownAndTheNextClickWorks) {
  view.setText(Control::fonte, "/nope/x.txt");
  form.pruefe_Click();
  ASSERT_EQ(view.shownErrors().size(), 1U);
  EXPECT_EQ(view.shownErrors()[0], "Cannot open report file '/nope/x.txt': No such file or directory");
  EXPECT_EQ(form.fallzahl, 0);
  EXPECT_FALSE(view.programEnded());

  view.setText(Control::fonte, reportPath());
  grid("1", "1", "1", "1");
  form.pruefe_Click();
  EXPECT_EQ(view.shownErrors().size(), 1U);
  EXPECT_EQ(reportLines(), std::vector<std::string>{"cases=  1"});
}

TEST_F(FormSweep, AStoppedSweepShowsTheCountsItsMessageGives) {
  if (!haveFullDevice()) GTEST_SKIP() << "no /dev/full, the device that is always full (POSIX only)";
  view.setText(Control::fonte, "/dev/full");
  // Store all, then store errors where nearly every case is one.
  for (const bool storeAll : {true, false}) {
    if (storeAll) {
      form.storeall_Click();
    } else {
      form.storeerrors_Click();
      view.setText(Control::fehlersec, "");
    }
    form.pruefe_Click();
    ASSERT_EQ(view.shownErrors().size(), storeAll ? 1U : 2U);
    const std::string& message = view.shownErrors().back();
    // The case whose record was refused counts as a case, and not yet as an
    // error case, in the counters as in the message.
    EXPECT_TRUE(contains(message, "The sweep stopped after " + std::to_string(form.fallzahl) + " cases")) << message;
    EXPECT_GT(form.fallzahl, 0);
    EXPECT_EQ(view.text(Control::caseslab), std::to_string(form.fallzahl));
    EXPECT_EQ(view.text(Control::errors), std::to_string(form.fehlerzahl));
  }
}

TEST_F(FormSweep, AnOverflowingBoxIsShownBeforeTheReportIsTouched) {
  view.setText(Control::Bstep, "0");
  grid("1e400", "0", "0", "0");
  form.pruefe_Click();
  ASSERT_EQ(view.shownErrors().size(), 1U);
  EXPECT_EQ(view.shownErrors()[0], "The sweep could not start: Run-time error 6: Overflow");
  // The steps were settled before the bound overflowed.
  EXPECT_EQ(view.text(Control::Bstep), "60");
  // Before the file: nothing was written, not even an empty report.
  EXPECT_FALSE(std::filesystem::exists(reportPath()));
}

}  // namespace
}  // namespace qvpruef
