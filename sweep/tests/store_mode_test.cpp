// What the two store modes put into the report and the result, and how the
// tolerance as typed decides the error cases.

#include <algorithm>

#include "conversion/number_text.hpp"
#include "sweep/tests/sweep_fixture.hpp"

namespace qvsweep {
namespace {

using StoreMode = SweepTest;

// Nine cases, nearly all off by more than a tolerance of 0.
SweepTexts nineCases(const char* tolerance) {
  SweepTexts t = typedGrid("10", "9", "20", "19");
  t.tolerance = tolerance;
  return t;
}

TEST_F(StoreMode, StoreAllWritesEveryCaseAndStoreErrorsTheSameLinesOfItsErrorCases) {
  settings.storeAll = true;
  const SweepResult all = sweepTyped(nineCases(""));
  const std::vector<std::string> allLines = reportLines();
  ASSERT_EQ(allLines.size(), 10U);
  EXPECT_EQ(allLines.back(), "cases=  9");
  EXPECT_EQ(all.cases, 9);
  EXPECT_EQ(all.errors, 0);  // not judged
  EXPECT_FALSE(all.firstError);

  settings.storeAll = false;
  const SweepResult errors = sweepTyped(nineCases(""));
  const std::vector<std::string> errorLines = reportLines();
  ASSERT_FALSE(errorLines.empty());
  EXPECT_EQ(errorLines.back(), "cases=  9");
  EXPECT_EQ(errors.cases, 9);
  EXPECT_GT(errors.errors, 0);
  EXPECT_EQ(static_cast<std::int64_t>(errorLines.size()) - 1, errors.errors);
  // Each error case's line is the line that store all writes for it, in
  // sweep order; the first of them is the result's first error case.
  auto next = allLines.begin();
  for (std::size_t i = 0; i + 1 < errorLines.size(); ++i) {
    next = std::find(next, allLines.end() - 1, errorLines[i]);
    ASSERT_NE(next, allLines.end() - 1) << errorLines[i];
    ++next;
  }
  ASSERT_TRUE(errors.firstError);
  const std::string firstRecord = record(errorLines.front());
  const auto first = casePositionTexts(firstRecord);
  ASSERT_TRUE(first);
  EXPECT_EQ(first->latitude, qv::numberText(errors.firstError->latitude));
  EXPECT_EQ(first->longitude, qv::numberText(errors.firstError->longitude));
}

TEST_F(StoreMode, TheToleranceIsReadUpToItsNumber) {
  const SweepResult none = sweepTyped(nineCases(""));
  EXPECT_GT(none.errors, 0);
  // "0,5" reads 0: the comma ends the number.
  for (const char* zero : {"0", "0,5"}) {
    SCOPED_TRACE(zero);
    EXPECT_EQ(sweepTyped(nineCases(zero)).errors, none.errors);
  }
  // With the default tolerance the round trips of these points hold.
  const SweepResult held = sweepTyped(nineCases(".001"));
  EXPECT_EQ(held.errors, 0);
  EXPECT_EQ(reportLines(), std::vector<std::string>{"cases=  9"});
}

}  // namespace
}  // namespace qvsweep
