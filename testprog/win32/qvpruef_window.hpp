// The native Windows window of the test program QVpruef: the control table made Win32 controls, on the form logic.
#pragma once
// One top-level window with child controls: EDIT boxes, BUTTONs and STATIC
// labels at the layout's twips turned into pixels at the window's dpi.  The
// message loop hands keys to the dialog manager first (IsDialogMessage), so
// Tab, Shift+Tab and the access keys work as in any dialog; Enter in a box
// goes to the box and runs its key handler, and presses no button.

#include <windows.h>

#include <commctrl.h>

#include <array>
#include <map>
#include <optional>
#include <string>

#include "testprog/counter_progress.hpp"
#include "testprog/form_design.hpp"
#include "testprog/form_logic.hpp"
#include "testprog/form_view.hpp"

namespace qvpruef::win32 {

class QVpruefWindow final : public FormView {
 public:
  // Creates the window and its controls, hidden.
  explicit QVpruefWindow(HINSTANCE instance);
  ~QVpruefWindow() override;
  QVpruefWindow(const QVpruefWindow&) = delete;
  QVpruefWindow& operator=(const QVpruefWindow&) = delete;

  // Shows and activates the window; its activation writes the metres display.
  void show(int showCommand);

  // The dialog manager's keys: true when it handled the message, which then
  // must not be dispatched.
  bool dialogMessage(MSG& msg);

  std::string text(Control c) const override;
  void setText(Control c, const std::string& text) override;
  void setEnabled(Control c, bool enabled) override;
  bool isEnabled(Control c) const override;
  // Destroys the window; the message loop ends.
  void endProgram() override;
  // A message box owned by the window: the window takes no input until it
  // is closed, then goes on.
  void showError(const std::string& message) override;

 private:
  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM w, LPARAM l);
  static LRESULT CALLBACK boxProcedure(HWND box, UINT message, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR self);
  LRESULT onMessage(UINT message, WPARAM w, LPARAM l);

  HWND control(Control c) const { return controls_[static_cast<std::size_t>(c)]; }
  void createControls();
  // Places every control and gives it its font at `dpi`.
  void layOut(unsigned dpi);
  HFONT font(double points);
  // A label of the logic shows `caption` at the largest size that fits, down
  // to the window's own font (fitCaption), cut with an ellipsis where even
  // that is too wide; the tooltip then shows all of it.
  void showCaption(Control c, const std::wstring& caption);
  TTTOOLINFOW toolOf(HWND label) const;
  void paint();
  void drawYellowButton(const DRAWITEMSTRUCT& item);
  HBRUSH labelColours(HDC dc, HWND label);
  void onCommand(int id, int code);
  void onBoxEnter(HWND box);
  void onActivate(bool active);
  // Runs a handler of the form logic; afterwards the counters show their
  // latest texts.
  template <class Handler>
  void run(Handler handler);

  HWND window_ = nullptr;
  std::array<HWND, controlCount> controls_{};
  std::array<HWND, fixedCaptions.size()> captions_{};
  HWND tooltip_ = nullptr;
  // The boxes' texts as the logic reads them, kept up to date on every
  // change: a case reads the tolerance box, a quarter of a million times in
  // a default sweep.
  std::array<std::string, controlCount> boxTexts_;
  unsigned dpi_ = 96;
  std::wstring fontFace_;
  std::map<double, HFONT> fonts_;  // by points, at dpi_
  HBRUSH background_ = nullptr;
  HBRUSH yellowBrush_ = nullptr;
  HWND focus_ = nullptr;  // where the focus goes back when the window is active again
  bool activated_ = false;
  std::optional<CounterProgress> progress_;
  QVpruefForm form_{*this};
};

}  // namespace qvpruef::win32
