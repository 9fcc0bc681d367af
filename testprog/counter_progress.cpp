// The repaint throttle of the sweep counters: latest texts kept, shown at most every 100 ms.
#include "testprog/counter_progress.hpp"

#include <utility>

namespace qvpruef {
namespace {

constexpr std::chrono::milliseconds updateEvery{100};

}  // namespace

CounterProgress::CounterProgress(Texts texts, Show show, std::function<Clock::time_point()> now)
    : texts_(std::move(texts)), show_(std::move(show)), now_(std::move(now)) {}

void CounterProgress::start() {
  inHandler_ = true;
  lastUpdate_ = now_();
}

void CounterProgress::set(Counter c, const std::string& text) {
  texts_[c] = text;
  pending_ = true;
  if (!inHandler_) return show(false);
  if (now_() - lastUpdate_ < updateEvery) return;
  show(true);
  lastUpdate_ = now_();
}

void CounterProgress::finish() {
  show(false);
  inHandler_ = false;
}

void CounterProgress::show(bool paintNow) {
  if (!pending_) return;
  show_(texts_, paintNow);
  pending_ = false;
}

}  // namespace qvpruef
