// The counters' repaint throttle on a clock the test moves: what reaches the labels, and when.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testprog/counter_progress.hpp"

namespace qvpruef {
namespace {

using Texts = CounterProgress::Texts;
using std::chrono::milliseconds;

struct Shown {
  Texts texts;
  bool paintNow;
  friend bool operator==(const Shown&, const Shown&) = default;
};

TEST(CounterProgress, LatestTextsReachTheLabelsAtHandlerEndAndAtMostEveryTenthOfASecond) {
  CounterProgress::Clock::time_point now{};
  int clockReads = 0;
  std::vector<Shown> shown;
  CounterProgress progress(
      {"...", "..."},
      [&](const Texts& texts, bool paintNow) {
        shown.push_back({texts, paintNow});
      },
      [&] { return ++clockReads, now; });

  // Outside a handler every text is handed on at once, for the event loop to paint.
  progress.set(CounterProgress::Errors, "0");
  EXPECT_EQ(shown, (std::vector<Shown>{{{"0", "..."}, false}}));
  EXPECT_EQ(clockReads, 0);

  progress.start();
  shown.clear();
  // Each phase: the clock moves to `atMs` after the handler's start, then the
  // case counter is set `sets` more times.
  struct Phase {
    int atMs, sets;
    int clockReads;  // in all, since start()
    bool painted;
  };
  const Phase phases[] = {
      {50, 1, 2, false},   // the clock is read on every set
      {150, 1, 4, true},   // 150 ms since start: painted, then the clock read again
      {249, 3, 7, false},  // 99 ms since the last paint
      {250, 1, 9, true},  {250, 2, 11, false},
  };
  int cases = 0;
  for (const Phase& p : phases) {
    SCOPED_TRACE(testing::Message() << "at " << p.atMs << " ms, " << p.sets << " sets");
    now = CounterProgress::Clock::time_point{} + milliseconds(p.atMs);
    for (int i = 0; i < p.sets; ++i) progress.set(CounterProgress::Cases, std::to_string(++cases));
    EXPECT_EQ(progress.text(CounterProgress::Cases), std::to_string(cases));
    EXPECT_EQ(clockReads, p.clockReads);
    if (p.painted) {
      EXPECT_EQ(shown, (std::vector<Shown>{{{"0", std::to_string(cases)}, true}}));
    } else {
      EXPECT_TRUE(shown.empty());
    }
    shown.clear();
  }

  // The handler's end hands on the latest texts, once.
  progress.finish();
  progress.finish();
  EXPECT_EQ(shown, (std::vector<Shown>{{{"0", std::to_string(cases)}, false}}));
  EXPECT_EQ(progress.text(CounterProgress::Errors), "0");
}

}  // namespace
}  // namespace qvpruef
