// What the headless sweep watches while the form logic runs: the signals that
// stop it, the progress bar, and the worst round-trip differences for the
// summary.
#pragma once

#include <signal.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <iosfwd>
#include <string>

#include "form_logic.hpp"

namespace qvcode {

// The largest difference of one coordinate and the input point it came from.
struct WorstDifference {
  double difference = -1;  // degrees; negative while no case has run
  double latitude = 0, longitude = 0;
};

class SweepWatch : public qvpruef::SweepObserver {
 public:
  // `progress` receives the bar (null: no bar); the longitude range is the
  // outer loop's, from east to west, to tell how far the sweep has come.
  SweepWatch(std::ostream* progress, double lonFrom, double lonTo);
  ~SweepWatch() override;
  SweepWatch(const SweepWatch&) = delete;
  SweepWatch& operator=(const SweepWatch&) = delete;

  // SIGINT (Ctrl-C), SIGTERM and SIGHUP stop the sweep; they also break off
  // an open or a write of the report that blocks.
  bool stopRequested() override;
  std::string stopReason() const override;
  void caseEvaluated(const qvpruef::QVpruefForm& form, const qv::CaseValues& values) override;

  // The signal that stopped the sweep, or 0 when none did (one that came
  // after the last case stopped nothing).
  int stoppedBy() const noexcept { return stoppedBy_; }
  const WorstDifference& worstLatitude() const noexcept { return worstLatitude_; }
  const WorstDifference& worstLongitude() const noexcept { return worstLongitude_; }
  // Clears the bar's line.
  void finish();

 private:
  void draw(const qvpruef::QVpruefForm& form);

  std::ostream* progress_;
  double lonFrom_, lonTo_;
  std::uint32_t sinceCheck_ = 0;
  std::chrono::steady_clock::time_point lastDraw_{};
  bool drawn_ = false;
  WorstDifference worstLatitude_, worstLongitude_;
  int stoppedBy_ = 0;
  std::array<struct sigaction, 3> previous_{};
};

}  // namespace qvcode
