// What qvcode sweep watches while the sweep engine runs: the signals that stop it, the progress bar, every case for the
// map, and the eastern bound.
#pragma once

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <iosfwd>
#include <functional>
#include <optional>
#include <span>
#include <string>

#include "qvcode/stop_signals.hpp"
#include "qvcode/sweep_map.hpp"
#include "sweep/observer.hpp"

namespace qvcode {

class SweepWatch : public qvsweep::SweepObserver {
 public:
  // `progress` receives the bar (null: no bar).  `grid` is asked at the
  // bar's first drawing: the bar follows the outer loop from the eastern
  // bound westwards, over a shard's own columns.  `map` (null: none)
  // receives every case that ran to its end.  `eastBoundClamped` is called
  // where the first case moves the eastern bound to 180, before the map or
  // the bar see a case.
  SweepWatch(std::ostream* progress, std::function<MapGrid()> grid, SweepMap* map,
             std::function<void()> eastBoundClamped);
  SweepWatch(const SweepWatch&) = delete;
  SweepWatch& operator=(const SweepWatch&) = delete;

  // SIGINT (Ctrl-C), SIGTERM and SIGHUP stop the sweep; they also break off
  // an open or a write of the report that blocks.
  // Asked from every thread of the sweep.
  bool stopRequested() override;
  std::string stopReason() const override;
  void eastBoundClamped() override { eastBoundClamped_(); }
  void progressed(const qvsweep::SweepProgress& progress) override;
  bool wantsCases() const override { return map_ != nullptr; }
  void casesTaken(std::span<const qvsweep::SweptCase> cases) override;

  // The signal that stopped the sweep, or 0 when none did (one that came
  // after the last case stopped nothing).
  int stoppedBy() const noexcept { return stoppedBy_.load(std::memory_order_relaxed); }
  // Clears the bar's line.
  void finish();

 private:
  // How much of the grid (or of a shard's columns) is done, 0..1.
  double fractionDone(const qvsweep::SweepProgress& progress);
  void draw(const qvsweep::SweepProgress& progress);

  std::ostream* progress_;
  std::function<MapGrid()> gridOf_;
  std::optional<MapGrid> grid_;
  SweepMap* map_;
  std::function<void()> eastBoundClamped_;
  std::chrono::steady_clock::time_point start_;
  std::chrono::steady_clock::time_point lastDraw_{};
  bool drawn_ = false;
  StopSignals signals_;
  std::atomic<int> stoppedBy_{0};
};

}  // namespace qvcode
