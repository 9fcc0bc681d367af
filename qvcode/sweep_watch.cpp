// What the headless sweep watches: the signals that stop it, the progress bar, every case.

#include "qvcode/sweep_watch.hpp"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <csignal>
#include <ostream>
#include <string>
#include <utility>

namespace qvcode {
SweepWatch::SweepWatch(std::ostream* progress, std::function<MapGrid()> grid, SweepMap* map,
                       std::function<void()> eastBoundClamped)
    : progress_(progress),
      gridOf_(std::move(grid)),
      map_(map),
      eastBoundClamped_(std::move(eastBoundClamped)),
      start_(std::chrono::steady_clock::now()) {}

bool SweepWatch::stopRequested() {
  if (const int s = signals_.caught(); s != 0) stoppedBy_.store(s, std::memory_order_relaxed);
  return stoppedBy() != 0;
}

std::string SweepWatch::stopReason() const { return StopSignals::reason(stoppedBy()); }

void SweepWatch::casesTaken(std::span<const qvsweep::SweptCase> cases) { map_->add(cases); }

void SweepWatch::progressed(const qvsweep::SweepProgress& progress) {
  // The bar is drawn at most ten times a second.
  if (!progress_) return;
  const auto now = std::chrono::steady_clock::now();
  if (now - lastDraw_ < std::chrono::milliseconds(100)) return;
  lastDraw_ = now;
  draw(progress);
}

namespace {

// "42 s", "7 min", "3.5 h", "12 days": a duration as a person reads it.
std::string duration(double seconds) {
  char text[32];
  if (seconds < 100)
    std::snprintf(text, sizeof text, "%.0f s", seconds);
  else if (seconds < 6000)
    std::snprintf(text, sizeof text, "%.0f min", seconds / 60);
  else if (seconds < 3 * 86400)
    std::snprintf(text, sizeof text, "%.1f h", seconds / 3600);
  else
    std::snprintf(text, sizeof text, "%.0f days", seconds / 86400);
  return text;
}

}  // namespace

double SweepWatch::fractionDone(const qvsweep::SweepProgress& p) {
  if (!grid_) grid_ = gridOf_();
  // A shard runs the columns [first, end) of the grid, one step apart from
  // its eastern bound.
  double east = grid_->east, west = grid_->west;
  if (p.columnsTotal > 0) {
    east = grid_->east - static_cast<double>(p.columns.first) * grid_->longitudeStep;
    west = grid_->east - (static_cast<double>(p.columns.end) - 1) * grid_->longitudeStep;
  }
  // The columns passed, and how far down the current one the sweep is, so
  // that a grid of few long columns moves too.
  const double height = grid_->north - grid_->south;
  const double down = height > 0 ? std::clamp((grid_->north - p.latitude) / height, 0.0, 1.0) : 0.0;
  const double done = ((east - p.longitude) + grid_->longitudeStep * down) / (east - west + grid_->longitudeStep);
  // An empty range, or bounds and steps beyond a double, show no progress.
  return std::isfinite(done) && done > 0 ? std::min(done, 1.0) : 0.0;
}

void SweepWatch::draw(const qvsweep::SweepProgress& p) {
  constexpr int width = 40;
  const double done = fractionDone(p);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
  const int filled = static_cast<int>(done * width);
  *progress_ << "\r[" << std::string(static_cast<std::size_t>(filled), '#')
             << std::string(static_cast<std::size_t>(width - filled), ' ') << "] " << static_cast<int>(done * 100)
             << "%  " << p.cases << " cases";
  if (seconds > 0) {
    char rate[32];
    std::snprintf(rate, sizeof rate, "  %.2g M/s", static_cast<double>(p.cases) / seconds / 1e6);
    *progress_ << rate;
  }
  if (done > 0) *progress_ << "  " << duration(seconds * (1 - done) / done) << " left";
  *progress_ << "   " << std::flush;
  drawn_ = true;
}

void SweepWatch::finish() {
  if (drawn_) *progress_ << "\r" << std::string(100, ' ') << "\r" << std::flush;
  drawn_ = false;
}

}  // namespace qvcode
