// The test form QVpruef without a toolkit: its form-level fields and its
// event handlers, working on the controls through a FormView.  The Qt window
// and the Win32 window run this same logic; its sweep is the sweep engine's.
//
// Every handler catches any error that reaches its top level and shows it
// through FormView::showError; the program goes on and the next event works
// normally.

#pragma once

#include <cstdint>
#include <exception>
#include <string>

#include "conversion/round_trip_point.hpp"
#include "sweep/observer.hpp"
#include "sweep/settings.hpp"
#include "sweep/sweep.hpp"
#include "testprog/form_view.hpp"

namespace qvpruef {

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

  // Watches the sweeps from outside the window (the tests); it gets their
  // progress and cases beside the form.
  void setSweepObserver(qvsweep::SweepObserver* observer) noexcept { observer_ = observer; }

  // Form-level fields, shared by the handlers.  The counters are exact 64-bit
  // counts.
  double Bdez = 0;
  double Ldez = 0;
  std::int64_t fehlerzahl = 0;
  std::int64_t fallzahl = 0;
  std::int16_t speichermodus = 0;
  std::int16_t stunde = 0;

 private:
  template <class Handler>
  void atTopLevel(Handler&& handler);

  void metresDisplay(int decimals);
  void rangeFilter(char key, Control box, bool upper, double limit, const char* limitText);
  double boxValue(Control box) const;

  void sweep();
  // The boxes of the grid and the tolerance, as typed.
  qvsweep::SweepTexts boxTexts() const;
  // The grid boxes that the sweep settled take their new texts.
  void showSettled(const qvsweep::SweepTexts& settled);
  // The sweep's outcome into the form-level fields.
  void takeResult(const qvsweep::SweepResult& result);
  void showFirstCase(const qv::RoundTripPoint& p);

  class Watch;
  FormView& view_;
  qvsweep::SweepObserver* observer_ = nullptr;
};

}  // namespace qvpruef
