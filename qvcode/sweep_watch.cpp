// What the headless sweep watches: the signals that stop it, the progress bar, every case.

#include "qvcode/sweep_watch.hpp"

#include <algorithm>
#include <atomic>
#include <csignal>
#include <ostream>
#include <string>
#include <utility>

namespace qvcode {
namespace {

constexpr std::array stopSignals = {SIGINT, SIGTERM, SIGHUP};

// Set by the signal handler and read by every thread of the sweep: a
// lock-free atomic is safe for both.
std::atomic<int> stopSignal{0};
static_assert(std::atomic<int>::is_always_lock_free);

extern "C" void onStopSignal(int signal) { stopSignal.store(signal, std::memory_order_relaxed); }

}  // namespace

SweepWatch::SweepWatch(std::ostream* progress, std::function<MapGrid()> grid, SweepMap* map,
                       std::function<void()> eastBoundClamped)
    : progress_(progress), gridOf_(std::move(grid)), map_(map), eastBoundClamped_(std::move(eastBoundClamped)) {
  stopSignal.store(0);
  // Without SA_RESTART, so that a signal breaks off a blocked open or write
  // of the report instead of letting it wait on.
  struct sigaction stop {};
  stop.sa_handler = onStopSignal;
  sigemptyset(&stop.sa_mask);
  for (const int s : stopSignals) sigaddset(&stop.sa_mask, s);
  for (std::size_t i = 0; i < stopSignals.size(); ++i) sigaction(stopSignals[i], &stop, &previous_[i]);
}

SweepWatch::~SweepWatch() {
  for (std::size_t i = 0; i < stopSignals.size(); ++i) sigaction(stopSignals[i], &previous_[i], nullptr);
}

bool SweepWatch::stopRequested() {
  if (const int s = stopSignal.load(std::memory_order_relaxed); s != 0) stoppedBy_.store(s, std::memory_order_relaxed);
  return stoppedBy() != 0;
}

std::string SweepWatch::stopReason() const {
  switch (stoppedBy()) {
    case SIGINT: return "Interrupted by SIGINT";
    case SIGTERM: return "Terminated by SIGTERM";
    case SIGHUP: return "Hung up by SIGHUP";
    default: return "Stopped by signal " + std::to_string(stoppedBy());
  }
}

void SweepWatch::casesTaken(std::span<const qvsweep::SweptCase> cases) {
  map_->add(cases);
}

void SweepWatch::progressed(const qvsweep::SweepProgress& progress) {
  // The bar is drawn at most ten times a second.
  if (!progress_) return;
  const auto now = std::chrono::steady_clock::now();
  if (now - lastDraw_ < std::chrono::milliseconds(100)) return;
  lastDraw_ = now;
  draw(progress);
}

void SweepWatch::draw(const qvsweep::SweepProgress& p) {
  constexpr int width = 40;
  if (!grid_) grid_ = gridOf_();
  // A shard runs the columns [first, end) of the grid, one step apart from
  // its eastern bound.
  double east = grid_->east, west = grid_->west;
  if (p.columnsTotal > 0) {
    east = grid_->east - static_cast<double>(p.columns.first) * grid_->longitudeStep;
    west = grid_->east - (static_cast<double>(p.columns.end) - 1) * grid_->longitudeStep;
  }
  // An empty range, or bounds and steps beyond a double, show no progress.
  const double span = east - west, ratio = (east - p.longitude) / span;
  const double done = span > 0 && ratio > 0 ? std::min(ratio, 1.0) : 0.0;
  const int filled = static_cast<int>(done * width);
  *progress_ << "\r[" << std::string(static_cast<std::size_t>(filled), '#')
             << std::string(static_cast<std::size_t>(width - filled), ' ') << "] "
             << static_cast<int>(done * 100) << "%  " << p.cases << " cases" << std::flush;
  drawn_ = true;
}

void SweepWatch::finish() {
  if (drawn_) *progress_ << "\r" << std::string(72, ' ') << "\r" << std::flush;
  drawn_ = false;
}

}  // namespace qvcode
