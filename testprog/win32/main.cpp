// QVpruef for Windows: the round-trip test program of the Quorvel code in a native window.
#include <windows.h>

#include <commctrl.h>

#include <exception>

#include "form_design.hpp"
#include "qvpruef_window.hpp"
#include "wide_text.hpp"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
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
