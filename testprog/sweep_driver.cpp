// pruefe_Click: the sweep over the grid, from the north-east corner,
// longitude westwards in the outer loop and latitude southwards in the inner
// one, with Ldez and Bdez themselves as the loop variables.

#include <optional>
#include <stdexcept>

#include "checked_math.hpp"
#include "form_logic.hpp"
#include "number_text.hpp"
#include "report_file.hpp"
#include "runtime_error.hpp"
#include "top_level.hpp"

namespace qvpruef {
namespace {

// Both tests include the bound.
bool continues(double value, double end, double step) { return step < 0 ? value >= end : value <= end; }

// A loop value must move on past the value it was tested with.  It does not
// when the step is below the value's precision, or when the input adjustment
// moved it back further than one step carries it; the sweep would then repeat
// cases for ever, so it stops.
void ensureOnward(const char* loop, double tested, double next, double step) {
  if (step < 0 ? next < tested : next > tested) return;
  throw std::runtime_error(std::string("The ") + loop + " does not move on: after " + qv::plainNumberText(tested) +
                           " its next value is " + qv::plainNumberText(next) + " with a step of " +
                           qv::plainNumberText(step) + " degrees, so the sweep would repeat cases without end");
}

// Steps are typed in minutes of arc and both loops run downwards.
double stepInDegrees(double minutes) { return -qv::checked(minutes / 60); }

}  // namespace

void QVpruefForm::sweep() {
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
    walkGrid(report);
    report.writeLine(closingLine(fallzahl));
    report.close();
  } catch (const std::exception& e) {
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
  std::string message = describe(cause) + ". The sweep stopped after " + std::to_string(fallzahl) +
                        (fallzahl == 1 ? " case" : " cases") + ", at latitude " + qv::plainNumberText(Bdez) +
                        ", longitude " + qv::plainNumberText(Ldez) + "; ";
  if (report.refused()) return message + report.contents() + ".";
  try {
    report.close();
  } catch (const std::exception& late) {
    return message + "writing the rest of the report then failed (" + describe(late) + "), so " +
           report.contents() + ".";
  }
  return message + "the report file '" + report.path() + "' keeps the lines written before and has no closing line.";
}

void QVpruefForm::walkGrid(ReportFile& report) {
  // End, step and start are read in this order, the longitude's once, the
  // latitude's again for every column.
  const double Lend = boxValue(Control::Lgradneg);
  const double Lstep = stepInDegrees(boxValue(Control::Lstep));
  Ldez = boxValue(Control::Lgradpos);
  while (continues(Ldez, Lend, Lstep)) {
    const double Ltested = Ldez;
    const double Bend = boxValue(Control::Bgradneg);
    const double Bstep = stepInDegrees(boxValue(Control::Bstep));
    Bdez = boxValue(Control::Bgradpos);
    while (continues(Bdez, Bend, Bstep)) {
      if (observer_ && observer_->stopRequested()) throw Interrupted();
      const double Btested = Bdez;
      adler(report);
      // The input adjustment moves a latitude at or below -90 up to -89.9:
      // the pole ends its column.  Going on from there would walk latitudes
      // already passed, and for ever when the step does not carry the value
      // past the southern bound.
      if (Bdez > Btested) break;
      // Repeated addition, from whatever value the case left: the drift of
      // steps that are no binary fractions is part of the grid.
      Bdez = qv::checked(Bdez + Bstep);
      ensureOnward("latitude", Btested, Bdez, Bstep);
    }
    Ldez = qv::checked(Ldez + Lstep);
    ensureOnward("longitude", Ltested, Ldez, Lstep);
  }
}

}  // namespace qvpruef
