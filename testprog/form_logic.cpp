// The small handlers of the test form: metres display, range filters, store
// mode, end.

#include "testprog/form_logic.hpp"

#include "conversion/detail/text_value.hpp"
#include "conversion/number_text.hpp"

namespace qvpruef {

template <class Handler>
void QVpruefForm::atTopLevel(Handler&& handler) {
  try {
    handler();
  } catch (const std::exception& e) {
    view_.showError(qvsweep::errorMessage(e));
  }
}

double QVpruefForm::boxValue(Control box) const { return qv::textValue(view_.text(box)); }

void QVpruefForm::metresDisplay(int decimals) {
  view_.setText(Control::metros, qv::plainNumberText(qvsweep::toleranceMetres(boxValue(Control::fehlersec), decimals)));
}

void QVpruefForm::rangeFilter(char key, Control box, bool upper, double limit, const char* limitText) {
  if (key != '\r') return;
  const double v = boxValue(box);
  if (upper ? v > limit : v < limit) view_.setText(box, limitText);
}

void QVpruefForm::Form_Activate() {
  atTopLevel([&] { metresDisplay(2); });
}

void QVpruefForm::Bgradpos_KeyPress(char key) {
  atTopLevel([&] { rangeFilter(key, Control::Bgradpos, true, 89, "89"); });
}

void QVpruefForm::Bgradneg_KeyPress(char key) {
  atTopLevel([&] { rangeFilter(key, Control::Bgradneg, false, -89, "-89"); });
}

void QVpruefForm::Lgradpos_KeyPress(char key) {
  atTopLevel([&] { rangeFilter(key, Control::Lgradpos, true, 180, "180"); });
}

void QVpruefForm::Lgradneg_KeyPress(char key) {
  atTopLevel([&] { rangeFilter(key, Control::Lgradneg, false, -179, "-179"); });
}

void QVpruefForm::fehlersec_KeyPress(char key) {
  atTopLevel([&] {
    if (key == '\r') metresDisplay(5);
  });
}

void QVpruefForm::storeall_Click() {
  atTopLevel([&] {
    speichermodus = 1;
    view_.setEnabled(Control::storeerrors, true);
    view_.setEnabled(Control::storeall, false);
    view_.setText(Control::errors, "...");
    view_.setText(Control::caseslab, "...");
    view_.setText(Control::Label15, "store all");
  });
}

void QVpruefForm::storeerrors_Click() {
  atTopLevel([&] {
    speichermodus = 0;
    view_.setEnabled(Control::storeerrors, false);
    view_.setEnabled(Control::storeall, true);
    view_.setText(Control::errors, "...");
    view_.setText(Control::caseslab, "...");
    view_.setText(Control::Label15, "store error");
  });
}

void QVpruefForm::fim_Click() {
  atTopLevel([&] { view_.endProgram(); });
}

void QVpruefForm::pruefe_Click() {
  atTopLevel([&] { sweep(); });
}

}  // namespace qvpruef
