// QVpruef.exe started as a process of its own and worked from outside, as a user would: keys, clicks, texts, pixels.
#pragma once
// Everything goes through window messages and synthesised input, so the
// program under test is the shipped one: its message loop, its dialog
// manager, its painting.  Keys go to the window that has the focus; each
// waiting call polls for its result for up to five seconds.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "testprog/form_design.hpp"

namespace qvpruef::win32 {

class DrivenWindow {
 public:
  // Starts the program and waits until its window is active, which is when
  // the metres display is first written.
  explicit DrivenWindow(const std::wstring& exe);
  ~DrivenWindow();
  DrivenWindow(const DrivenWindow&) = delete;
  DrivenWindow& operator=(const DrivenWindow&) = delete;

  HWND window() const { return window_; }
  HWND control(Control c) const;
  HWND caption(std::size_t i) const;

  // A control's text through WM_GETTEXT, in UTF-8; the window's caption for
  // nullptr.
  std::string text(HWND w) const;
  std::string text(Control c) const { return text(control(c)); }
  // Sets a text through WM_SETTEXT, as if pasted.
  void setText(Control c, const std::string& text) const;
  // The rectangle in the window's client area.
  Pixels rect(HWND w) const;
  Pixels clientSize() const;
  std::wstring className(HWND w) const;

  HWND focus() const;
  // Gives the focus to a control as a click would, without the click.
  void focusOn(Control c) const;
  // Types the characters of `text` (ASCII), or presses one key with
  // modifiers (VK_TAB, VK_RETURN, 'M' with VK_CONTROL, 'C' with VK_MENU).
  void type(const std::string& text) const;
  void press(WORD key, WORD modifier = 0) const;
  // Clicks a button and returns once its handler has ended.
  void click(Control c) const;
  // Clicks a button and returns at once (a handler that opens a message box).
  void clickLater(Control c) const;

  // The client area as the screen shows it now.
  struct Picture {
    int width, height;
    std::vector<COLORREF> pixels;  // RGB, row by row from the top
    COLORREF at(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
  };
  Picture picture() const;

  // Waits for `done` to hold; false after five seconds.
  template <class Condition>
  bool waitFor(Condition done) const {
    for (int i = 0; i < 250; ++i) {
      if (done()) return true;
      Sleep(20);
    }
    return done();
  }

  // Moves the mouse to a point of the client area.
  void moveMouse(int x, int y) const;
  // Rests the mouse on a point of the client area and returns the tooltip
  // once it shows, or null. A busy machine may let the tip's timer pass
  // unseen, and a pointer moved to where it already is sends no move: so the
  // pointer is nudged by a pixel a few times before giving up.
  HWND hover(int x, int y) const;

  // The message box the window has opened, once there is one.
  HWND messageBox() const;
  // Its message text.
  std::string messageText(HWND box) const;
  // Presses its OK button and waits until it has gone.
  bool closeMessageBox(HWND box) const;

  // The exit code once the process has ended within five seconds.
  std::optional<DWORD> exitCode() const;

 private:
  PROCESS_INFORMATION process_{};
  HWND window_ = nullptr;
};

}  // namespace qvpruef::win32
