// QVpruef for Windows: the round-trip test program of the Quorvel code in a native window.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <exception>
#include <string>
#include <string_view>

#include "testprog/form_design.hpp"
#include "testprog/win32/qvpruef_window.hpp"
#include "version.hpp"
#include "testprog/win32/wide_text.hpp"

namespace {

// A program with a window has no console of its own: the answer goes to
// where its output is redirected (a file or a pipe), else to the console it
// was started from, else to a character device it was handed (Wine's
// terminal, NUL), and into a message box when there is none of these.  The
// redirection comes first: a console's parent (cmd, PowerShell) always has a
// console, and writing there would leave `> file` or `| more` empty.
void answer(const std::string& text) {
  const DWORD type = GetFileType(GetStdHandle(STD_OUTPUT_HANDLE));
  const bool redirected = type == FILE_TYPE_DISK || type == FILE_TYPE_PIPE;
  const bool console =
      !redirected && AttachConsole(ATTACH_PARENT_PROCESS) != FALSE && std::freopen("CONOUT$", "w", stdout) != nullptr;
  if (console || type != FILE_TYPE_UNKNOWN) {
    std::fputs(text.c_str(), stdout);
    std::fflush(stdout);
    return;
  }
  MessageBoxW(nullptr, qvpruef::win32::wide(text).c_str(), L"QVpruef", MB_OK | MB_ICONINFORMATION);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  for (int i = 1; i < __argc; ++i) {
    const std::wstring_view a = __wargv[i];
    if (a == L"--version") {
      answer(std::string("QVpruef (Quorvel) ") + qv::version + "\n");
      return 0;
    }
    if (a == L"--help") {
      answer("Usage: QVpruef [--version]\nThe Quorvel code's round-trip test window.\n");
      return 0;
    }
  }
  const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  // A sweep handles no messages until it ends; Windows would otherwise put a
  // ghost over the window after five seconds and hide the counters' progress.
  DisableProcessWindowsGhosting();
  try {
    qvpruef::win32::QVpruefWindow window(instance);
    window.show(showCommand);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
      if (window.dialogMessage(msg)) continue;
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
  } catch (const std::exception& e) {
    MessageBoxW(nullptr, qvpruef::win32::wide(e.what()).c_str(),
                qvpruef::win32::wide(qvpruef::formWindow.caption).c_str(), MB_OK | MB_ICONERROR);
    return 1;
  }
}
