// The nineteen captions of the first case of a sweep.

#include <cmath>

#include "conversion/detail/case_texts.hpp"
#include "conversion/detail/checked_math.hpp"
#include "conversion/dms.hpp"
#include "conversion/number_text.hpp"
#include "sweep/report_format.hpp"
#include "testprog/form_logic.hpp"

namespace qvpruef {

// Each caption is a step of the case's mode, in this order; the code's texts
// are made here, where they are shown.
void QVpruefForm::showFirstCase(const qv::RoundTripPoint& p) {
  qv::ErrorMode mode;
  if (p.skipOnError) mode.skipOnError();
  std::string disttext, versatztext;
  mode.step([&] { disttext = qv::oneDecimalText(p.distanceKm); });
  mode.step([&] { versatztext = qv::oneDecimalText(p.offsetKm); });

  const auto show = [&](Control c, auto caption) { mode.step([&] { view_.setText(c, caption()); }); };
  const double Bdezbk = p.latitudeBack.value_or(0);
  const double Ldezbk = p.longitudeBack.value_or(0);

  show(Control::WGSin, [&] {
    const double longitude = qv::checked(std::floor(qv::checked(p.longitude * 100)) / 100);
    return "lat " + qv::numberText(p.latitude) + "  long " + qv::numberText(longitude);
  });
  show(Control::QV, [&] { return qv::captionCode(p.hour, versatztext, disttext); });
  show(Control::WGSbk,
       [&] { return "lat " + qvsweep::backText(p.latitudeBack) + "  long " + qvsweep::backText(p.longitudeBack); });
  show(Control::Bgradin, [&] { return qv::splitDegrees(p.latitude).degrees; });
  show(Control::nsin, [&] { return std::string(p.latitude >= 0 ? "N" : "S"); });
  show(Control::Bminin, [&] { return qv::splitDegrees(p.latitude).minutes; });
  show(Control::Bsekin, [&] { return qv::splitDegrees(p.latitude).seconds; });
  show(Control::Lgradin, [&] { return qv::splitDegrees(p.longitude).degrees; });
  show(Control::EWin, [&] { return std::string(p.longitude >= 0 ? "E" : "W"); });
  show(Control::Lminin, [&] { return qv::splitDegrees(p.longitude).minutes; });
  show(Control::Lsekin, [&] { return qv::splitDegrees(p.longitude).seconds; });
  show(Control::Bgradbk, [&] { return qv::splitDegrees(Bdezbk).degrees; });
  show(Control::NSbk, [&] { return std::string(Bdezbk < 0 ? "S" : "N"); });
  show(Control::Bminbk, [&] { return qv::splitDegrees(Bdezbk).minutes; });
  show(Control::Bsekbk, [&] { return qv::splitDegrees(Bdezbk).seconds; });
  show(Control::Lgradbk, [&] { return qv::splitDegrees(Ldezbk).degrees; });
  show(Control::EWbk, [&] { return std::string(p.westComponentBack >= 0 ? "W" : "E"); });
  show(Control::Lminbk, [&] { return qv::splitDegrees(Ldezbk).minutes; });
  show(Control::Lsekbk, [&] { return qv::splitDegrees(Ldezbk).seconds; });
}

}  // namespace qvpruef
