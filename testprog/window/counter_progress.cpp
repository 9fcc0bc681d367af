#include "counter_progress.hpp"

#include <QLabel>

namespace qvpruef::window {
namespace {

constexpr qint64 updateEveryMs = 100;
// A clock reading costs about 27 ns here, some 5% of a sweep if taken at
// each of the two sets per case; 256 cases take a fraction of a millisecond,
// so every 512th set is often enough.
constexpr unsigned setsPerClockCheck = 512;

}  // namespace

CounterProgress::CounterProgress(QLabel* errors, QLabel* cases)
    : labels_{errors, cases},
      texts_{errors->text().toStdString(), cases->text().toStdString()} {}

void CounterProgress::start() {
  sinceUpdate_.start();
  setsSinceCheck_ = 0;
}

void CounterProgress::set(Counter c, const std::string& text) {
  texts_[c] = text;
  pending_ = true;
  if (!sinceUpdate_.isValid()) return apply();
  if (++setsSinceCheck_ < setsPerClockCheck) return;
  setsSinceCheck_ = 0;
  if (sinceUpdate_.elapsed() < updateEveryMs) return;
  // A repaint also paints the updates pending in the window; a label given
  // its text before the other's repaint would be painted twice.
  for (std::size_t i = 0; i < labels_.size(); ++i) {
    labels_[i]->setText(QString::fromStdString(texts_[i]));
    labels_[i]->repaint();
  }
  pending_ = false;
  sinceUpdate_.start();
}

void CounterProgress::finish() {
  apply();
  sinceUpdate_.invalidate();
}

void CounterProgress::apply() {
  if (!pending_) return;
  for (std::size_t i = 0; i < labels_.size(); ++i) labels_[i]->setText(QString::fromStdString(texts_[i]));
  pending_ = false;
}

}  // namespace qvpruef::window
