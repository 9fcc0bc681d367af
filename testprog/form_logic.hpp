// The test form QVpruef without a toolkit: its form-level fields and its
// event handlers, working on the controls through a FormView.  The Qt window
// and the command line's headless sweep run this same logic.
//
// Every handler catches any error that reaches its top level and shows it
// through FormView::showError; the program goes on and the next event works
// normally.

#pragma once

#include <cstdint>
#include <exception>
#include <string>

#include "case_values.hpp"
#include "error_mode.hpp"
#include "form_view.hpp"
#include "text_memo.hpp"

namespace qvpruef {

class QVpruefForm;
class ReportFile;

// Watches a sweep from outside the form (the headless sweep's progress,
// summary and Ctrl-C).  The window needs none.
class SweepObserver {
 public:
  virtual ~SweepObserver() = default;
  // Asked before every case, and when a signal breaks off a blocked open or
  // write of the report; true stops the sweep like an error: the report
  // keeps its lines and gets no closing line.
  virtual bool stopRequested() = 0;
  // What stopped it, to begin the sweep's message.
  virtual std::string stopReason() const { return "Sweep interrupted"; }
  // After every case that ran to its end, with the case's values.
  virtual void caseEvaluated(const QVpruefForm& form, const qv::CaseValues& values) = 0;
};

class QVpruefForm {
 public:
  explicit QVpruefForm(FormView& view) : view_(view) {}

  // Metres display with two decimals.
  void Form_Activate();
  // Range filters, acting on Enter ('\r') only; any other key changes nothing.
  void Bgradpos_KeyPress(char key);
  void Bgradneg_KeyPress(char key);
  void Lgradpos_KeyPress(char key);
  void Lgradneg_KeyPress(char key);
  // Metres display with five decimals, on Enter only.
  void fehlersec_KeyPress(char key);
  void storeall_Click();
  void storeerrors_Click();
  // No file is open between sweeps (a sweep closes its own), so this ends
  // the program at once.
  void fim_Click();
  // The sweep over the grid, with the report file.
  void pruefe_Click();

  void setSweepObserver(SweepObserver* observer) noexcept { observer_ = observer; }

  // Form-level fields, shared by the handlers.  The counters are exact 64-bit
  // counts.
  double Bdez = 0;
  double Ldez = 0;
  std::int64_t fehlerzahl = 0;
  std::int64_t fallzahl = 0;
  std::string zeile;
  std::int16_t speichermodus = 0;
  std::int16_t stunde = 0;

 private:
  template <class Handler>
  void atTopLevel(Handler&& handler);

  void metresDisplay(int decimals);
  void rangeFilter(char key, Control box, bool upper, double limit, const char* limitText);
  double boxValue(Control box) const;

  void sweep();
  void walkGrid(ReportFile& report);
  std::string stopMessage(const std::exception& cause, ReportFile& report);
  std::string describe(const std::exception& e) const;
  void adler(ReportFile& report);
  void showFirstCase(const qv::CaseValues& v, qv::ErrorMode& mode);

  FormView& view_;
  SweepObserver* observer_ = nullptr;
  // Repeated inputs of the cases: the number text of Ldez, and the tolerance
  // in degrees by the text of fehlersec.
  Memo<double, std::string> longitudeText_;
  Memo<std::string, double> toleranceDegrees_;
};

}  // namespace qvpruef
