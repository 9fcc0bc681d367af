// What the headless sweep watches: the signals that stop it, the progress bar, every case.

#include "qvcode/sweep_watch.hpp"

#include <algorithm>
#include <atomic>
#include <csignal>
#include <ostream>
#include <string>
#include <utility>

namespace qvcode {
SweepWatch::SweepWatch(std::ostream* progress, std::function<MapGrid()> grid, SweepMap* map,
                       std::function<void()> eastBoundClamped)
    : progress_(progress), gridOf_(std::move(grid)), map_(map), eastBoundClamped_(std::move(eastBoundClamped)) {}

bool SweepWatch::stopRequested() {
  if (const int s = signals_.caught(); s != 0) stoppedBy_.store(s, std::memory_order_relaxed);
  return stoppedBy() != 0;
}

std::string SweepWatch::stopReason() const { return StopSignals::reason(stoppedBy()); }

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
