// The small handlers of the test form: metres display, range filters, store
// mode, end.

#include "form_logic.hpp"

#include <cmath>

#include "checked_math.hpp"
#include "number_text.hpp"
#include "text_value.hpp"
#include "top_level.hpp"

namespace qvpruef {

template <class Handler>
void QVpruefForm::atTopLevel(Handler&& handler) {
  try {
    handler();
  } catch (const std::exception& e) {
    view_.showError(errorMessage(e));
  }
}

double QVpruefForm::boxValue(Control box) const { return qv::textValue(view_.text(box)); }

// The tolerance in metres at 1111.8/36 m per second of arc, rounded down to
// `decimals` places, in exactly this order of operations.
void QVpruefForm::metresDisplay(int decimals) {
  const double scale = decimals == 5 ? 100000.0 : 100.0;
  double x = qv::checked(boxValue(Control::fehlersec) * 1111.8);
  x = qv::checked(x / 36);
  x = qv::checked(x * scale);
  x = std::floor(x);
  x = x / scale;
  view_.setText(Control::metros, qv::plainNumberText(x));
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
