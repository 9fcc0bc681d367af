// pruefe_Click: the form's boxes read into the sweep engine's settings, the
// sweep run, and its progress and outcome shown in the window's controls.

#include <stdexcept>

#include "conversion/number_text.hpp"
#include "conversion/runtime_error.hpp"
#include "testprog/form_logic.hpp"

namespace qvpruef {

// The form's side of a sweep: the first case, the eastern bound and the
// counters into the controls as the cases arrive; stops, progress and cases
// passed on to the form's own observer, if any.
class QVpruefForm::Watch : public qvsweep::SweepObserver {
 public:
  explicit Watch(QVpruefForm& form) : form_(form), outer_(form.observer_) {}

  bool stopRequested() override { return outer_ && outer_->stopRequested(); }
  std::string stopReason() const override { return outer_ ? outer_->stopReason() : SweepObserver::stopReason(); }
  void eastBoundClamped() override { form_.view_.setText(Control::Lgradpos, "180"); }
  void firstCase(const qv::RoundTripPoint& p) override { form_.showFirstCase(p); }
  bool wantsCases() const override { return outer_ && outer_->wantsCases(); }
  void casesTaken(std::span<const qvsweep::SweptCase> cases) override { outer_->casesTaken(cases); }
  void progressed(const qvsweep::SweepProgress& p) override {
    // The counters show the cases that ran to their ends.
    if (p.completedCases > 0) {
      form_.view_.setText(Control::errors, qv::plainNumberText(p.completedErrors));
      form_.view_.setText(Control::caseslab, qv::plainNumberText(p.completedCases));
    }
    if (outer_) outer_->progressed(p);
  }

 private:
  QVpruefForm& form_;
  qvsweep::SweepObserver* outer_;
};

qvsweep::SweepTexts QVpruefForm::boxTexts() const {
  qvsweep::SweepTexts t;
  t.latitudeFrom = view_.text(Control::Bgradpos);
  t.latitudeTo = view_.text(Control::Bgradneg);
  t.latitudeStep = view_.text(Control::Bstep);
  t.longitudeFrom = view_.text(Control::Lgradpos);
  t.longitudeTo = view_.text(Control::Lgradneg);
  t.longitudeStep = view_.text(Control::Lstep);
  t.tolerance = view_.text(Control::fehlersec);
  return t;
}

void QVpruefForm::showSettled(const qvsweep::SweepTexts& settled) {
  const auto show = [&](Control box, const std::string& text) {
    if (view_.text(box) != text) view_.setText(box, text);
  };
  show(Control::Lstep, settled.longitudeStep);
  show(Control::Bstep, settled.latitudeStep);
  show(Control::Bgradneg, settled.latitudeTo);
  show(Control::Lgradneg, settled.longitudeTo);
}

void QVpruefForm::takeResult(const qvsweep::SweepResult& r) {
  fallzahl = r.cases;
  fehlerzahl = r.errors;
  if (r.latitude) Bdez = *r.latitude;
  if (r.longitude) Ldez = *r.longitude;
  if (r.lastHour) stunde = *r.lastHour;
}

void QVpruefForm::sweep() {
  fallzahl = 0;
  fehlerzahl = 0;
  view_.setText(Control::errors, "...");
  view_.setText(Control::caseslab, "...");
  view_.setText(Control::WGSin, "");
  view_.setText(Control::QV, "");
  view_.setText(Control::WGSbk, "");

  qvsweep::SweepSettings settings;
  try {
    metresDisplay(5);
    qvsweep::SweepTexts texts = boxTexts();
    try {
      qvsweep::readSettings(texts, settings);
    } catch (...) {
      showSettled(texts);
      throw;
    }
    showSettled(texts);
  } catch (const qv::RuntimeError& e) {
    // A box whose number overflows.
    throw std::runtime_error(qvsweep::couldNotStart(e));
  }
  // Nothing handles events during a sweep, so the store mode and the
  // tolerance box hold for all its cases.
  settings.storeAll = speichermodus == 1;
  settings.reportPath = view_.text(Control::fonte);

  Watch watch(*this);
  const qvsweep::SweepResult result = qvsweep::runSweep(settings, &watch);
  takeResult(result);
  if (!result.failure) return;
  if (result.stopReason) {
    // A case that was counted but did not run to its end (its record
    // refused, its judgement raised) is not shown yet: the counters show the
    // counts the message gives.
    view_.setText(Control::errors, qv::plainNumberText(fehlerzahl));
    view_.setText(Control::caseslab, qv::plainNumberText(fallzahl));
  }
  throw std::runtime_error(*result.failure);
}

}  // namespace qvpruef
