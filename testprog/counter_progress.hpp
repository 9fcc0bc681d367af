// The two counters of a sweep, `errors` and `caseslab`, on their way to a window while it runs.
#pragma once
//
// The form logic sets both counters after every part of a sweep (up to 4096
// cases, a few milliseconds); painting the labels each time would hold the
// sweep up for a picture nobody can read.  So the latest texts are kept here
// and reach the window at the end of each handler and, during a long sweep,
// at most every 100 ms.  A sweep handles no events, so those progress updates
// are painted at once.

#include <array>
#include <chrono>
#include <functional>
#include <string>

namespace qvpruef {

class CounterProgress {
 public:
  enum Counter : std::size_t { Errors, Cases };
  using Texts = std::array<std::string, 2>;
  using Clock = std::chrono::steady_clock;

  // Gives both labels their texts.  paintNow false: the window's event loop
  // paints them later; true: each label is painted before the next one gets
  // its text (a repaint also paints whatever else is pending, so a label
  // given its text before the other's repaint would be painted twice).
  using Show = std::function<void(const Texts& texts, bool paintNow)>;

  // `texts`: what the labels show now.  `now` reads the clock.
  CounterProgress(Texts texts, Show show, std::function<Clock::time_point()> now = Clock::now);

  // A handler starts: the time to the first progress update runs from here.
  void start();

  // Outside a handler the labels take the texts at once.
  void set(Counter c, const std::string& text);
  const std::string& text(Counter c) const { return texts_[c]; }

  // A handler has ended: the labels take the latest texts.
  void finish();

 private:
  void show(bool paintNow);

  Texts texts_;
  Show show_;
  std::function<Clock::time_point()> now_;
  bool inHandler_ = false;
  bool pending_ = false;
  Clock::time_point lastUpdate_;
};

}  // namespace qvpruef
