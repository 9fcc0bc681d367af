#pragma once
// The test form's controls as the form logic sees them.  The logic reads and
// writes control texts through this interface only, so it runs the same on
// the Qt window and on the in-memory view used by the tests and by the
// command line's headless sweep.

#include <cstdint>
#include <string>
#include <string_view>

namespace qvpruef {

// Every control whose text, caption or state the logic reads or writes.
enum class Control : std::uint8_t {
  // input text boxes
  Bgradpos, Bgradneg, Bstep, Lgradpos, Lgradneg, Lstep, fehlersec, fonte,
  // command buttons
  pruefe, storeerrors, storeall, fim,
  // result labels
  metros, Label15, errors, caseslab, WGSin, QV, WGSbk,
  // case display fields
  Bgradin, nsin, Bminin, Bsekin, Lgradin, EWin, Lminin, Lsekin,
  Bgradbk, NSbk, Bminbk, Bsekbk, Lgradbk, EWbk, Lminbk, Lsekbk,
};
inline constexpr std::size_t controlCount = static_cast<std::size_t>(Control::Lsekbk) + 1;

// The object name of a control, e.g. "Bgradpos".
std::string_view controlName(Control c);

// The text or caption a control has when the window opens.  The report path
// is "c:/QV_errorDetect.txt" on Windows and the same file name in the user's
// home folder elsewhere, where "c:/" names no writable place.
std::string designText(Control c);

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
