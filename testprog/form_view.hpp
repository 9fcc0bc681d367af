// The test form's controls as the form logic sees them.
#pragma once
// The logic reads and writes control texts through this interface only, so it
// runs the same on the Qt window, the Win32 window and the in-memory view used
// by the tests.

#include <string>

#include "testprog/form_design.hpp"

namespace qvpruef {

class FormView {
 public:
  virtual ~FormView() = default;

  // The text of a box, or the caption of a label or button.
  virtual std::string text(Control c) const = 0;
  virtual void setText(Control c, const std::string& text) = 0;
  virtual void setEnabled(Control c, bool enabled) = 0;
  virtual bool isEnabled(Control c) const = 0;

  // Ends the program at once ("&END").
  virtual void endProgram() = 0;

  // Shows an error that reached the top level of a handler; the program
  // goes on.
  virtual void showError(const std::string& message) = 0;
};

}  // namespace qvpruef
