// runSweep: the grid laid out in parts, each part evaluated and then taken
// in, in sweep order, so that the counts, the observer and the report end up
// as the cases, one after the other, leave them.

#include "sweep/sweep.hpp"

#include <algorithm>
#include <optional>
#include <span>
#include <stdexcept>

#include "conversion/detail/checked_math.hpp"
#include "conversion/detail/forward.hpp"
#include "conversion/runtime_error.hpp"
#include "sweep/detail/case_evaluation.hpp"
#include "sweep/detail/part_pipeline.hpp"
#include "sweep/detail/report_file.hpp"
#include "sweep/report_format.hpp"

namespace qvsweep {
namespace {

// Cases in one part: enough to make taking a part in cheap beside its
// evaluation, few enough to keep a part's records small.
constexpr std::size_t partCases = 4096;

// One sweep from its open report file to its close.
class Sweeper {
 public:
  Sweeper(const SweepSettings& settings, SweepObserver* observer, ReportFile& report, SweepResult& result)
      : settings_(settings), observer_(observer), report_(report), result_(result) {}

  // The cases of the grid into the report, and the closing line; raises
  // where the sweep stops.
  void run();
  // The message of a sweep that stopped with `cause`; closes the report.
  std::string stopMessage(const std::exception& cause);

 private:
  CaseSettings caseSettings() const;
  // Takes an evaluated part in, as its cases would have left the sweep;
  // raises where it stopped the sweep.
  void takeIn(const SweepPart& part, const PartResult& r);
  // Hands whole runs of the part's records to the file; on a refused run,
  // sets the counts to the refused record's case and raises.
  void writeRecords(const SweepPart& part, const PartResult& r);
  // The first `count` of a part's completed cases to the observer.
  void handOn(std::span<const SweptCase> swept, std::size_t count);
  void progressed();

  const SweepSettings& settings_;
  SweepObserver* observer_;
  ReportFile& report_;
  SweepResult& result_;
  std::int64_t completedCases_ = 0, completedErrors_ = 0;
};

std::string describe(const std::exception& e, const SweepObserver* observer) {
  if (dynamic_cast<const Interrupted*>(&e)) return observer ? observer->stopReason() : "Sweep interrupted";
  return errorMessage(e);
}

CaseSettings Sweeper::caseSettings() const {
  // The store mode and the tolerance hold for every case of a sweep.
  CaseSettings s;
  s.storeAll = settings_.storeAll;
  s.observer = observer_;
  s.keepCases = observer_ && observer_->wantsCases();
  try {
    s.toleranceDegrees = qv::checked(settings_.toleranceSeconds / 3600);
  } catch (const qv::RuntimeError& e) {
    s.toleranceError = e.kind();
  }
  return s;
}

void Sweeper::run() {
  const CaseSettings cases = caseSettings();
  const LoopBounds longitude = longitudeLoop(settings_);
  const LoopBounds latitude = latitudeLoop(settings_);
  if (settings_.shard) {
    const std::size_t total = columnCount(longitude, latitude);
    result_.columnsTotal = total;
    result_.columns = {total * (settings_.shard->index - 1) / settings_.shard->count,
                       total * settings_.shard->index / settings_.shard->count};
  }
  SweepPlan plan(longitude, latitude, result_.columns);
  result_.longitude = longitude.start;
  runParts(plan, partCases, cases, settings_.jobs,
           [&](const SweepPart& part, const PartResult& r) { takeIn(part, r); });
  if (plan.latitude) result_.latitude = plan.latitude;
  result_.longitude = plan.longitude;
  // A shard's part ends with its last case; the merge writes the closing
  // line.
  if (!settings_.shard) report_.writeLine(closingLine(result_.cases));
  report_.close();
}

// Cases are kept only for an observer that wants them: an observer that does
// not is never handed any, not even none.
void Sweeper::handOn(std::span<const SweptCase> swept, std::size_t count) {
  const std::size_t n = std::min(count, swept.size());
  if (observer_ && n > 0) observer_->casesTaken(swept.first(n));
}

void Sweeper::progressed() {
  if (!observer_) return;
  SweepProgress p;
  p.cases = result_.cases;
  p.errors = result_.errors;
  p.completedCases = completedCases_;
  p.completedErrors = completedErrors_;
  p.longitude = result_.longitude.value_or(0);
  p.latitude = result_.latitude.value_or(0);
  p.columns = result_.columns;
  p.columnsTotal = result_.columnsTotal;
  observer_->progressed(p);
}

void Sweeper::writeRecords(const SweepPart& part, const PartResult& r) {
  // The records, handed to the file in runs that end where single records
  // would have filled a block: a refused block stops the sweep at its case.
  // A refused record is never skipped, not even in skip-on-error mode: the
  // write is no step of the mode.
  const std::span<const std::uint32_t> ends(r.recordEnds);
  std::size_t from = 0, next = 0;
  while (next < ends.size()) {
    const std::size_t room = report_.untilHandOver();
    std::size_t last = next;
    while (last < ends.size() && ends[last] - from < room) ++last;
    if (last == ends.size()) {
      report_.writeRecords(r.records, from, ends.subspan(next));
      return;
    }
    try {
      report_.writeRecords(r.records, from, ends.subspan(next, last + 1 - next));
    } catch (...) {
      // The case of the refused record has counted, and its error not yet;
      // it did not finish, so it is not handed on.
      handOn(r.swept, r.recordCases[last] - 1);
      result_.cases += r.recordCases[last];
      result_.errors += settings_.storeAll ? 0 : static_cast<std::int64_t>(last);
      GridPoint at = part.points[r.recordCases[last] - 1];
      qv::adjustInput(at.latitude, at.longitude);
      result_.latitude = at.latitude;
      result_.longitude = at.longitude;
      throw;
    }
    from = ends[last];
    next = last + 1;
  }
}

void Sweeper::takeIn(const SweepPart& part, const PartResult& r) {
  if (r.eastClamped && observer_) observer_->eastBoundClamped();
  if (r.first && result_.cases == 0 && observer_) observer_->firstCase(*r.first);
  writeRecords(part, r);

  completedCases_ = result_.cases + r.completedCases;
  completedErrors_ = result_.errors + r.completedErrors;
  result_.cases += r.cases;
  result_.errors += r.errors;
  if (r.cases > 0) result_.lastHour = r.hour;
  merge(result_.worstLatitude, r.worstLatitude);
  merge(result_.worstLongitude, r.worstLongitude);
  if (!result_.firstError) result_.firstError = r.firstError;
  handOn(r.swept, r.swept.size());
  result_.latitude = r.endLatitude;
  result_.longitude = r.endLongitude;
  progressed();
  if (r.stop) std::rethrow_exception(r.stop);
}

// The file is closed with what was due; without its closing line it shows
// itself incomplete.  The message says what it holds.
std::string Sweeper::stopMessage(const std::exception& cause) {
  const std::string message =
      stoppedAt(describe(cause, observer_), result_.cases, result_.latitude.value_or(0), result_.longitude.value_or(0));
  if (report_.refused()) {
    result_.reportRefused = true;
    return message + report_.contents() + ".";
  }
  try {
    report_.close();
  } catch (const std::exception& late) {
    result_.reportRefused = true;
    return message + "writing the rest of the report then failed (" + describe(late, observer_) + "), so " +
           report_.contents() + ".";
  }
  return message + keptLines(report_.path());
}

// Where a step of 0 would leave its loop value where it is.
void refuseZeroStep(double stepMinutes, const char* loop) {
  if (stepMinutes == 0)
    throw std::invalid_argument(std::string("the ") + loop + " step is 0 minutes, which never moves on");
}

}  // namespace

SweepResult runSweep(const SweepSettings& settings, SweepObserver* observer) {
  SweepResult result;
  try {
    refuseZeroStep(settings.latitudeStep, "latitude");
    refuseZeroStep(settings.longitudeStep, "longitude");
    // The tolerance must have a size in metres, as the window shows it.
    toleranceMetres(settings.toleranceSeconds, 5);
  } catch (const std::exception& e) {
    result.failure = couldNotStart(e);
    return result;
  }

  std::optional<ReportFile> opened;
  try {
    opened.emplace(settings.reportPath, [observer] { return observer && observer->stopRequested(); });
  } catch (const Interrupted& e) {
    result.failure = describe(e, observer) + " while the report file '" + settings.reportPath +
                     "' was being opened: no case has run and nothing was written.";
    return result;
  } catch (const std::exception& e) {
    result.failure = errorMessage(e);
    return result;
  }
  Sweeper sweeper(settings, observer, *opened, result);
  try {
    sweeper.run();
  } catch (const std::exception& e) {
    result.stopReason = describe(e, observer);
    result.failure = sweeper.stopMessage(e);
  }
  return result;
}

}  // namespace qvsweep
