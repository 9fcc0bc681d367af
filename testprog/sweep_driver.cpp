// pruefe_Click: the sweep over the grid, from the north-east corner,
// longitude westwards in the outer loop and latitude southwards in the inner
// one.  The grid walk lays the cases out in parts; each part is evaluated
// and then taken into the form, in sweep order, so that the form's fields,
// its view and the report end up as the cases, one after the other, leave
// them.

#include <algorithm>
#include <optional>
#include <stdexcept>

#include "case_evaluation.hpp"
#include "checked_math.hpp"
#include "forward.hpp"
#include "grid_walk.hpp"
#include "form_logic.hpp"
#include "number_text.hpp"
#include "part_pipeline.hpp"
#include "report_file.hpp"
#include "runtime_error.hpp"
#include "text_value.hpp"
#include "top_level.hpp"

namespace qvpruef {
namespace {

// Cases in one part: enough to make taking a part in cheap beside its
// evaluation, few enough to keep a part's records small.
constexpr std::size_t partCases = 4096;

}  // namespace

std::string stoppedAt(const std::string& reason, std::int64_t cases, double Bdez, double Ldez) {
  return reason + ". The sweep stopped after " + std::to_string(cases) + (cases == 1 ? " case" : " cases") +
         ", at latitude " + qv::plainNumberText(Bdez) + ", longitude " + qv::plainNumberText(Ldez) + "; ";
}

std::string keptLines(const std::string& report) {
  return "the report file '" + report + "' keeps the lines written before and has no closing line.";
}

void QVpruefForm::sweep() {
  stopReason.reset();
  reportRefused = false;
  fallzahl = 0;
  fehlerzahl = 0;
  view_.setText(Control::errors, "...");
  view_.setText(Control::caseslab, "...");
  view_.setText(Control::WGSin, "");
  view_.setText(Control::QV, "");
  view_.setText(Control::WGSbk, "");
  try {
    metresDisplay(5);
    // A step box without a number sweeps by whole degrees.
    if (boxValue(Control::Lstep) == 0) view_.setText(Control::Lstep, "60");
    if (boxValue(Control::Bstep) == 0) view_.setText(Control::Bstep, "60");
    // An inverted range shrinks to its upper bound; the bounds are not swapped.
    if (boxValue(Control::Bgradpos) < boxValue(Control::Bgradneg))
      view_.setText(Control::Bgradneg, view_.text(Control::Bgradpos));
    if (boxValue(Control::Lgradpos) < boxValue(Control::Lgradneg))
      view_.setText(Control::Lgradneg, view_.text(Control::Lgradpos));
  } catch (const qv::RuntimeError& e) {
    // A box whose number overflows.
    throw std::runtime_error("The sweep could not start: " + errorMessage(e));
  }

  const std::string path = view_.text(Control::fonte);
  std::optional<ReportFile> opened;
  try {
    opened.emplace(path, [this] { return observer_ && observer_->stopRequested(); });
  } catch (const Interrupted& e) {
    throw std::runtime_error(describe(e) + " while the report file '" + path +
                             "' was being opened: no case has run and nothing was written.");
  }
  ReportFile& report = *opened;
  try {
    // Nothing handles events during a sweep, so the store mode and the
    // tolerance box hold for all its cases.
    SweepSettings settings;
    settings.storeAll = speichermodus == 1;
    settings.observer = observer_;
    settings.keepCases = observer_ && observer_->wantsCases();
    try {
      settings.fehlergrad = qv::checked(qv::textValue(view_.text(Control::fehlersec)) / 3600);
    } catch (const qv::RuntimeError& e) {
      settings.toleranceError = e.kind();
    }
    walkGrid(report, settings);
    // A shard's part ends with its last case; the merge writes the closing
    // line.
    if (!shard_) report.writeLine(closingLine(fallzahl));
    report.close();
  } catch (const std::exception& e) {
    stopReason = describe(e);
    // A case that was counted but did not run to its end (its record
    // refused, its judgement raised) is not shown yet: the counters show the
    // counts the message gives.
    view_.setText(Control::errors, qv::plainNumberText(fehlerzahl));
    view_.setText(Control::caseslab, qv::plainNumberText(fallzahl));
    throw std::runtime_error(stopMessage(e, report));
  }
}

std::string QVpruefForm::describe(const std::exception& e) const {
  if (dynamic_cast<const Interrupted*>(&e)) return observer_ ? observer_->stopReason() : "Sweep interrupted";
  return errorMessage(e);
}

// The file is closed with what was due; without its closing line it shows
// itself incomplete.  The message says what it holds.
std::string QVpruefForm::stopMessage(const std::exception& cause, ReportFile& report) {
  const std::string message = stoppedAt(describe(cause), fallzahl, Bdez, Ldez);
  if (report.refused()) {
    reportRefused = true;
    return message + report.contents() + ".";
  }
  try {
    report.close();
  } catch (const std::exception& late) {
    reportRefused = true;
    return message + "writing the rest of the report then failed (" + describe(late) + "), so " +
           report.contents() + ".";
  }
  return message + keptLines(report.path());
}

void QVpruefForm::walkGrid(ReportFile& report, const SweepSettings& settings) {
  // End, step and start are read in this order, the longitude's first.  The
  // latitude's would be read again for every column, but no box changes
  // during a sweep.
  LoopBounds longitude, latitude;
  longitude.end = boxValue(Control::Lgradneg);
  longitude.step = stepInDegrees(boxValue(Control::Lstep));
  longitude.start = boxValue(Control::Lgradpos);
  latitude.end = boxValue(Control::Bgradneg);
  latitude.step = stepInDegrees(boxValue(Control::Bstep));
  latitude.start = boxValue(Control::Bgradpos);

  worstLatitude = worstLongitude = WorstDifference{};
  columns = ColumnRange{};
  columnsTotal = 0;
  if (shard_) {
    columnsTotal = columnCount(longitude, latitude);
    columns = {columnsTotal * (shard_->index - 1) / shard_->count, columnsTotal * shard_->index / shard_->count};
  }
  SweepPlan plan(longitude, latitude, Bdez, columns);
  Ldez = longitude.start;
  runParts(plan, partCases, settings, jobs_,
           [&](const SweepPart& part, const PartResult& result) { takeIn(report, part, result); });
  Bdez = plan.Bdez;
  Ldez = plan.Ldez;
}

// Cases are kept only for an observer that wants them: an observer that does
// not is never handed any, not even none.
void QVpruefForm::handOn(std::span<const SweptCase> swept, std::size_t count) {
  const std::size_t n = std::min(count, swept.size());
  if (observer_ && n > 0) observer_->casesTaken(swept.first(n));
}

void QVpruefForm::takeIn(ReportFile& report, const SweepPart& part, const PartResult& r) {
  if (r.eastClamped) view_.setText(Control::Lgradpos, "180");
  if (r.first && fallzahl == 0) showFirstCase(*r.first);

  // The records, handed to the file in runs that end where single records
  // would have filled a block: a refused block stops the sweep at its case.
  // A refused record is never skipped, not even in skip-on-error mode: the
  // write is no step of the mode.
  const std::int64_t casesBefore = fallzahl, errorsBefore = fehlerzahl;
  const std::span<const std::uint32_t> ends(r.recordEnds);
  std::size_t from = 0, next = 0;
  while (next < ends.size()) {
    const std::size_t room = report.untilHandOver();
    std::size_t last = next;
    while (last < ends.size() && ends[last] - from < room) ++last;
    if (last == ends.size()) {
      report.writeRecords(r.records, from, ends.subspan(next));
      break;
    }
    try {
      report.writeRecords(r.records, from, ends.subspan(next, last + 1 - next));
    } catch (...) {
      // The case of the refused record has counted, and its error not yet;
      // it did not finish, so it is not handed on.
      handOn(r.swept, r.recordCases[last] - 1);
      fallzahl = casesBefore + r.recordCases[last];
      fehlerzahl = errorsBefore + (speichermodus == 1 ? 0 : static_cast<std::int64_t>(last));
      const GridPoint& at = part.points[r.recordCases[last] - 1];
      Bdez = at.Bdez;
      Ldez = at.Ldez;
      qv::adjustInput(Bdez, Ldez);
      throw;
    }
    from = ends[last];
    next = last + 1;
  }

  fallzahl = casesBefore + r.cases;
  fehlerzahl = errorsBefore + r.errors;
  if (r.cases > 0) stunde = r.stunde;
  merge(worstLatitude, r.worstLatitude);
  merge(worstLongitude, r.worstLongitude);
  handOn(r.swept, r.swept.size());
  if (r.completedCases > 0) {
    view_.setText(Control::errors, qv::plainNumberText(errorsBefore + r.completedErrors));
    view_.setText(Control::caseslab, qv::plainNumberText(casesBefore + r.completedCases));
  }
  Bdez = r.Bdez;
  Ldez = r.Ldez;
  if (observer_) observer_->progressed(*this);
  if (r.stop) std::rethrow_exception(r.stop);
}

}  // namespace qvpruef
