// Which handler of the form each control's event runs: the one table that both windows wire their controls from.
#pragma once

#include <array>

#include "testprog/form_logic.hpp"

namespace qvpruef {

// A character typed in a box (the handlers act on Enter alone); the step
// boxes and the report box have none.
struct KeyHandler {
  Control box;
  void (QVpruefForm::*run)(char key);
};
inline constexpr std::array keyHandlers = {
    KeyHandler{Control::Bgradpos, &QVpruefForm::Bgradpos_KeyPress},
    KeyHandler{Control::Bgradneg, &QVpruefForm::Bgradneg_KeyPress},
    KeyHandler{Control::Lgradpos, &QVpruefForm::Lgradpos_KeyPress},
    KeyHandler{Control::Lgradneg, &QVpruefForm::Lgradneg_KeyPress},
    KeyHandler{Control::fehlersec, &QVpruefForm::fehlersec_KeyPress},
};

// A click on a button.
struct ClickHandler {
  Control button;
  void (QVpruefForm::*run)();
};
inline constexpr std::array clickHandlers = {
    ClickHandler{Control::pruefe, &QVpruefForm::pruefe_Click},
    ClickHandler{Control::storeerrors, &QVpruefForm::storeerrors_Click},
    ClickHandler{Control::storeall, &QVpruefForm::storeall_Click},
    ClickHandler{Control::fim, &QVpruefForm::fim_Click},
};

// The handler of a control's event, or null where it has none.
constexpr auto keyHandlerOf(Control box) -> void (QVpruefForm::*)(char) {
  for (const KeyHandler& h : keyHandlers)
    if (h.box == box) return h.run;
  return nullptr;
}
constexpr auto clickHandlerOf(Control button) -> void (QVpruefForm::*)() {
  for (const ClickHandler& h : clickHandlers)
    if (h.button == button) return h.run;
  return nullptr;
}

}  // namespace qvpruef
