#pragma once
// The two counters of a sweep, `errors` and `caseslab`, shown while it runs.
//
// The form logic sets both counters on every case, half a million times in a
// default sweep; a QLabel::setText each time would cost more than the case
// arithmetic.  So the latest texts are kept here and reach the labels at the
// end of each handler and, during a long sweep, at most every 100 ms.  A sweep
// handles no events, so those progress updates are painted at once.

#include <QElapsedTimer>

#include <array>
#include <string>

class QLabel;

namespace qvpruef::window {

class CounterProgress {
 public:
  enum Counter : std::size_t { Errors, Cases };

  CounterProgress(QLabel* errors, QLabel* cases);

  // A handler starts: the time to the first progress update runs from here.
  void start();

  // Outside a handler the label takes the text at once.
  void set(Counter c, const std::string& text);
  const std::string& text(Counter c) const { return texts_[c]; }

  // A handler has ended: the labels take the latest texts.
  void finish();

 private:
  void apply();

  std::array<QLabel*, 2> labels_;
  std::array<std::string, 2> texts_;
  bool pending_ = false;
  unsigned setsSinceCheck_ = 0;
  QElapsedTimer sinceUpdate_;
};

}  // namespace qvpruef::window
