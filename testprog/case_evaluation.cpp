// adler: one case of the sweep, taken to its Quorvel code and back, judged,
// counted, shown and recorded.  The order of the steps is the contract:
// under skip-on-error mode a failing step is abandoned and the next one runs,
// so the order decides what a failure leaves behind.

#include <cmath>

#include "back_text.hpp"
#include "checked_math.hpp"
#include "code_text.hpp"
#include "dms.hpp"
#include "form_logic.hpp"
#include "forward.hpp"
#include "inverse.hpp"
#include "judgement.hpp"
#include "number_text.hpp"
#include "report_file.hpp"
#include "text_value.hpp"

namespace qvpruef {

void QVpruefForm::adler(ReportFile& report) {
  qv::CaseValues v;
  qv::ErrorMode mode;
  qv::forwardConversion(Bdez, Ldez, stunde, v, mode, [this] { view_.setText(Control::Lgradpos, "180"); });
  qv::inverseConversion(stunde, v, mode);

  // The report line, in five extensions; a failing one leaves its pieces out.
  mode.step([&] { zeile.clear(); });
  mode.step([&] {
    const std::string n = qv::numberText(Bdez);
    zeile.append(" lat ").append(n);
  });
  mode.step([&] {
    const std::string& n = longitudeText_.get(Ldez, [](double l) { return qv::numberText(l); });
    zeile.append("  long ").append(n);
  });
  mode.step([&] { qv::appendReportCode(zeile, stunde, v.versatztext, v.disttext); });
  mode.step([&] {
    zeile.append("   lat ");
    appendBackText(zeile, v.Bdezbk);
  });
  mode.step([&] {
    zeile.append(" long ");
    appendBackText(zeile, v.Ldezbk);
  });

  // The tolerance: seconds of arc in the box, degrees in the test.  The box
  // is read for every case; its value is computed again when its text has
  // changed.  Empty until computed, and empty counts as 0.
  double fehlergrad = 0;
  mode.step([&] {
    fehlergrad = toleranceDegrees_.get(view_.text(Control::fehlersec), [](const std::string& seconds) {
      return qv::checked(qv::textValue(seconds) / 3600);
    });
  });

  ++fallzahl;
  if (fallzahl == 1) showFirstCase(v, mode);

  // A refused record is never skipped, not even in skip-on-error mode: the
  // write is no step of the mode, so its error stops the sweep.
  if (speichermodus == 1) {
    report.writeLine(zeile);
  } else if (mode.decide([&] {
               return isErrorCase(Bdez, Ldez, v.Bdezbk.value_or(0), v.Ldezbk.value_or(0), fehlergrad);
             })) {
    report.writeLine(zeile);
    ++fehlerzahl;
  }

  mode.step([&] { view_.setText(Control::errors, qv::plainNumberText(fehlerzahl)); });
  mode.step([&] { view_.setText(Control::caseslab, qv::plainNumberText(fallzahl)); });

  if (observer_) observer_->caseEvaluated(*this, v);
}

// The nineteen captions of the first case, each its own step, in this order.
void QVpruefForm::showFirstCase(const qv::CaseValues& v, qv::ErrorMode& mode) {
  const auto show = [&](Control c, auto caption) { mode.step([&] { view_.setText(c, caption()); }); };
  const double Bdezbk = v.Bdezbk.value_or(0);
  const double Ldezbk = v.Ldezbk.value_or(0);

  show(Control::WGSin, [&] {
    const double longitude = qv::checked(std::floor(qv::checked(Ldez * 100)) / 100);
    return "lat " + qv::numberText(Bdez) + "  long " + qv::numberText(longitude);
  });
  show(Control::QV, [&] { return qv::captionCode(stunde, v.versatztext, v.disttext); });
  show(Control::WGSbk, [&] { return "lat " + backText(v.Bdezbk) + "  long " + backText(v.Ldezbk); });
  show(Control::Bgradin, [&] { return qv::splitDegrees(Bdez).degrees; });
  show(Control::nsin, [&] { return std::string(Bdez >= 0 ? "N" : "S"); });
  show(Control::Bminin, [&] { return qv::splitDegrees(Bdez).minutes; });
  show(Control::Bsekin, [&] { return qv::splitDegrees(Bdez).seconds; });
  show(Control::Lgradin, [&] { return qv::splitDegrees(Ldez).degrees; });
  show(Control::EWin, [&] { return std::string(Ldez >= 0 ? "E" : "W"); });
  show(Control::Lminin, [&] { return qv::splitDegrees(Ldez).minutes; });
  show(Control::Lsekin, [&] { return qv::splitDegrees(Ldez).seconds; });
  show(Control::Bgradbk, [&] { return qv::splitDegrees(Bdezbk).degrees; });
  show(Control::NSbk, [&] { return std::string(Bdezbk < 0 ? "S" : "N"); });
  show(Control::Bminbk, [&] { return qv::splitDegrees(Bdezbk).minutes; });
  show(Control::Bsekbk, [&] { return qv::splitDegrees(Bdezbk).seconds; });
  show(Control::Lgradbk, [&] { return qv::splitDegrees(Ldezbk).degrees; });
  show(Control::EWbk, [&] { return std::string(v.Ybk >= 0 ? "W" : "E"); });
  show(Control::Lminbk, [&] { return qv::splitDegrees(Ldezbk).minutes; });
  show(Control::Lsekbk, [&] { return qv::splitDegrees(Ldezbk).seconds; });
}

}  // namespace qvpruef
