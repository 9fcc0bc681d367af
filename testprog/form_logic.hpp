// The test form QVpruef without a toolkit: its form-level fields and its
// event handlers, working on the controls through a FormView.  The Qt window,
// the Win32 window and the command line's headless sweep run this same logic.
//
// Every handler catches any error that reaches its top level and shows it
// through FormView::showError; the program goes on and the next event works
// normally.

#pragma once

#include <cstdint>
#include <exception>
#include <optional>
#include <span>
#include <string>

#include "case_evaluation.hpp"
#include "error_mode.hpp"
#include "form_view.hpp"
#include "grid_walk.hpp"
#include "sweep_part.hpp"

namespace qvpruef {

class ReportFile;

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
  // Threads that evaluate the cases of a sweep (the command line's --jobs);
  // the window keeps one.  The results are the same for any number.
  void setJobs(unsigned jobs) noexcept { jobs_ = jobs == 0 ? 1 : jobs; }
  // Makes the sweep run only the `index`-th (from 1) of `count` contiguous
  // ranges of its columns, and end the report without a closing line: a
  // part that the command line's merge joins with the others.  1 of 1 is
  // the whole grid.
  void setShard(std::size_t index, std::size_t count) noexcept { shard_ = {index, count}; }

  // Form-level fields, shared by the handlers.  The counters are exact 64-bit
  // counts.  A case's report line goes into its part's records
  // (PartResult::records) and from there into the report file.
  double Bdez = 0;
  double Ldez = 0;
  std::int64_t fehlerzahl = 0;
  std::int64_t fallzahl = 0;
  std::int16_t speichermodus = 0;
  std::int16_t stunde = 0;

  // The largest round-trip differences of the last sweep's cases, each with
  // the first point where it occurred.
  WorstDifference worstLatitude, worstLongitude;
  // Why the last sweep stopped before its end (the error's own message,
  // without what the sweep adds about where), or nothing.
  std::optional<std::string> stopReason;
  // Whether the report file then refused a record or its close: the
  // sweep's environment failed, not the sweep.
  bool reportRefused = false;
  // The columns of the last sweep's grid, and the range of them it ran.
  std::size_t columnsTotal = 0;
  ColumnRange columns;

 private:
  template <class Handler>
  void atTopLevel(Handler&& handler);

  void metresDisplay(int decimals);
  void rangeFilter(char key, Control box, bool upper, double limit, const char* limitText);
  double boxValue(Control box) const;

  void sweep();
  void walkGrid(ReportFile& report, const SweepSettings& settings);
  // Takes an evaluated part into the form and the report, as its cases
  // would have left them; raises where it stopped the sweep.
  void takeIn(ReportFile& report, const SweepPart& part, const PartResult& r);
  // The first `count` of a part's completed cases to the observer.
  void handOn(std::span<const SweptCase> swept, std::size_t count);
  std::string stopMessage(const std::exception& cause, ReportFile& report);
  std::string describe(const std::exception& e) const;
  void showFirstCase(const qv::RoundTripPoint& p);

  FormView& view_;
  SweepObserver* observer_ = nullptr;
  unsigned jobs_ = 1;
  struct Shard {
    std::size_t index, count;
  };
  std::optional<Shard> shard_;
};

// The message of a sweep that stopped begins with the reason, how many
// cases it counted and the loop values where it stopped ("Run-time error 5:
// Invalid procedure call or argument. The sweep stopped after 945 cases, at
// latitude 48.0175, longitude 11.67; "), and where the report kept what it
// was given ends "the report file 'r.txt' keeps the lines written before
// and has no closing line."
std::string stoppedAt(const std::string& reason, std::int64_t cases, double Bdez, double Ldez);
std::string keptLines(const std::string& report);

}  // namespace qvpruef
