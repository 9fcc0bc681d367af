// The evaluation of the cases of a sweep: each point taken to its
// Quorvel code and back, judged against the tolerance, counted, and its
// report line written when the store mode selects it.  Parts of the sweep
// are evaluated here, in the order of the steps of one case, away from
// whatever shows them; the driver takes the results in (first case,
// counters, report file) in sweep order.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "conversion/round_trip_point.hpp"
#include "sweep/detail/report_line.hpp"
#include "sweep/detail/sweep_part.hpp"
#include "sweep/observer.hpp"

namespace qvsweep {

// What every case of one sweep reads the same: the store mode, and the
// tolerance (the box cannot change during a sweep), as its value in degrees
// or the error its step raises.  Read by every thread of the sweep.
struct CaseSettings {
  bool storeAll = false;
  double toleranceDegrees = 0;
  std::optional<qv::ErrorKind> toleranceError;
  SweepObserver* observer = nullptr;
  bool keepCases = false;  // PartResult::swept
};

// Evaluates parts one after the other; one per thread.
class PartEvaluator {
 public:
  explicit PartEvaluator(const CaseSettings& settings) : settings_(settings) {}

  void evaluate(const SweepPart& part, PartResult& result);

 private:
  // One case; false when it stopped the sweep.
  bool evaluateCase(const SweepPart& part, std::size_t i, const qv::RoundTripPoint& trip, PartResult& r);

  const CaseSettings& settings_;
  ReportLineWriter lines_;
  std::vector<double> latitudes_, longitudes_;
  std::vector<qv::RoundTripPoint> trips_;
};

}  // namespace qvsweep
