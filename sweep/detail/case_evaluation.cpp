// The cases of a part of the sweep, taken to their Quorvel codes and
// back, judged, counted and recorded.  The order of the steps is the
// contract: under skip-on-error mode a failing step is abandoned and the
// next one runs, so the order decides what a failure leaves behind; with the
// mode off the first failing step ends the case and stops the sweep.

#include "sweep/detail/case_evaluation.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

#include "conversion/detail/forward.hpp"
#include "sweep/detail/judgement.hpp"
#include "sweep/detail/report_file.hpp"

namespace qvsweep {
namespace {

// The round trips are made in blocks of this many points ahead of the
// cases, so that the batch keeps several in flight and its results stay in
// the first cache.
constexpr std::size_t roundTripBlock = 256;

}  // namespace

void PartEvaluator::evaluate(const SweepPart& part, PartResult& r) {
  r = PartResult{};
  const std::size_t n = part.points.size();
  for (std::size_t block = 0; block < n; block += roundTripBlock) {
    const std::size_t count = std::min(roundTripBlock, n - block);
    latitudes_.resize(count);
    longitudes_.resize(count);
    trips_.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
      latitudes_[i] = part.points[block + i].latitude;
      longitudes_[i] = part.points[block + i].longitude;
    }
    qv::roundTrips(latitudes_, longitudes_, trips_);
    for (std::size_t i = 0; i < count; ++i) {
      const GridPoint& at = part.points[block + i];
      if (settings_.observer && settings_.observer->stopRequested()) {
        r.stop = std::make_exception_ptr(Interrupted());
        r.endLatitude = at.latitude;
        r.endLongitude = at.longitude;
        return;
      }
      if (!evaluateCase(part, block + i, trips_[i], r)) return;
    }
  }
  r.stop = part.stop;
  r.endLatitude = part.endLatitude;
  r.endLongitude = part.endLongitude;
}

bool PartEvaluator::evaluateCase(const SweepPart& part, std::size_t i, const qv::RoundTripPoint& p, PartResult& r) {
  // The input adjustment comes first and cannot fail: where the case stops,
  // the loop values are its adjusted point.
  const GridPoint& at = part.points[i];
  r.endLatitude = at.latitude;
  r.endLongitude = at.longitude;
  if (qv::adjustInput(r.endLatitude, r.endLongitude) && i == 0 && part.columnStart) r.eastClamped = true;
  bool errorCase = false;
  try {
    // The round trip raised with skip-on-error mode off: the case ends
    // before it is counted.
    if (p.error) throw qv::RuntimeError(*p.error);
    r.hour = p.hour;
    qv::ErrorMode mode;
    if (p.skipOnError) mode.skipOnError();

    // The report line is made only where it is written (below): its texts
    // depend on nothing that the steps in between change.

    // The tolerance: seconds of arc in the box, degrees in the test; a
    // failing step leaves it empty, which counts as 0.
    double toleranceDegrees = 0;
    mode.step([&] {
      if (settings_.toleranceError) throw qv::RuntimeError(*settings_.toleranceError);
      toleranceDegrees = settings_.toleranceDegrees;
    });

    ++r.cases;
    if (!r.first) r.first = p;

    if (!settings_.storeAll)
      errorCase = mode.decide([&] {
        return isErrorCase(p.latitude, p.longitude, p.latitudeBack.value_or(0), p.longitudeBack.value_or(0),
                           toleranceDegrees);
      });
    if (settings_.storeAll || errorCase) {
      lines_.append(r.records, p, part.firstIndexInColumn + i, mode);
      r.recordEnds.push_back(static_cast<std::uint32_t>(r.records.size()));
      r.recordCases.push_back(static_cast<std::uint32_t>(r.cases));
    }
    if (errorCase && r.errors++ == 0) r.firstError = CasePoint{p.latitude, p.longitude};
  } catch (...) {
    r.stop = std::current_exception();
    return false;
  }

  // The counters show this case: it ran to its end.
  r.completedCases = r.cases;
  r.completedErrors = r.errors;
  const double dB = std::fabs(p.latitudeBack.value_or(0) - p.latitude);
  record(r.worstLatitude, dB, p.latitude, p.longitude);
  double dL = std::numeric_limits<double>::infinity();
  try {
    dL = std::fabs(longitudeDifference(p.longitudeBack.value_or(0), p.longitude));
  } catch (const qv::RuntimeError&) {
  }
  record(r.worstLongitude, dL, p.latitude, p.longitude);
  if (settings_.keepCases) r.swept.push_back({p.latitude, p.longitude, dB, dL, errorCase, p.inverseRaised});
  return true;
}

}  // namespace qvsweep
