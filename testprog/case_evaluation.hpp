// adler, the evaluation of the cases of a sweep: each point taken to its
// Quorvel code and back, judged against the tolerance, counted, and its
// report line written when the store mode selects it.  Parts of the sweep
// are evaluated here without the form's view, in the order of the steps of
// one case; the form takes the results in (first-case display, counters,
// report file) in sweep order.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "report_line.hpp"
#include "round_trip.hpp"
#include "sweep_part.hpp"

namespace qvpruef {

class QVpruefForm;

// Watches a sweep from outside the form (the headless sweep's progress, its
// map and the signals that stop it).  The window needs none.
class SweepObserver {
 public:
  virtual ~SweepObserver() = default;
  // Asked before every case, from the thread that evaluates it, and when a
  // signal breaks off a blocked open or write of the report; true stops the
  // sweep like an error: the report keeps its lines and gets no closing
  // line.
  virtual bool stopRequested() = 0;
  // What stopped it, to begin the sweep's message.
  virtual std::string stopReason() const { return "Sweep interrupted"; }
  // After every part of the sweep taken into the form.
  virtual void progressed(const QVpruefForm& form) = 0;
  // Whether it takes every case (asked when the sweep starts; keeping them
  // costs a little), and then the cases of each part that ran to their ends,
  // in sweep order, before the part's progress.
  virtual bool wantsCases() const { return false; }
  virtual void casesTaken(std::span<const SweptCase>) {}
};

// What every case of one sweep reads the same: the store mode, and the
// tolerance (the box cannot change during a sweep), as its value in degrees
// or the error its step raises.  Read by every thread of the sweep.
struct SweepSettings {
  bool storeAll = false;
  double fehlergrad = 0;
  std::optional<qv::ErrorKind> toleranceError;
  SweepObserver* observer = nullptr;
  bool keepCases = false;  // PartResult::swept
};

// Evaluates parts one after the other; one per thread.
class PartEvaluator {
 public:
  explicit PartEvaluator(const SweepSettings& settings) : settings_(settings) {}

  void evaluate(const SweepPart& part, PartResult& result);

 private:
  // One case; false when it stopped the sweep.
  bool adler(const SweepPart& part, std::size_t i, const qv::RoundTripPoint& trip, PartResult& r);

  const SweepSettings& settings_;
  ReportLineWriter lines_;
  std::vector<double> latitudes_, longitudes_;
  std::vector<qv::RoundTripPoint> trips_;
};

}  // namespace qvpruef
