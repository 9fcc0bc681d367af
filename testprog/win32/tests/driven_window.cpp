// Starting QVpruef.exe, finding its window and controls, and working them with messages and synthesised input.
#include "testprog/win32/tests/driven_window.hpp"

#include <stdexcept>
#include <vector>

#include "testprog/win32/control_ids.hpp"
#include "testprog/win32/wide_text.hpp"

namespace qvpruef::win32 {
namespace {

struct Found {
  DWORD thread;
  const wchar_t* className;
  HWND owner;
  HWND window;
};

// The first visible top-level window of the thread with that class (and
// owner, when one is given).
BOOL CALLBACK noteWindow(HWND w, LPARAM p) {
  auto* f = reinterpret_cast<Found*>(p);
  wchar_t name[64] = {};
  GetClassNameW(w, name, 64);
  if (!IsWindowVisible(w) || std::wstring_view(name) != f->className) return TRUE;
  if (f->owner && GetWindow(w, GW_OWNER) != f->owner) return TRUE;
  f->window = w;
  return FALSE;
}

HWND findWindow(DWORD thread, const wchar_t* className, HWND owner = nullptr) {
  Found found{thread, className, owner, nullptr};
  EnumThreadWindows(thread, noteWindow, reinterpret_cast<LPARAM>(&found));
  return found.window;
}

INPUT key(WORD vk, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
  in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return in;
}

void send(std::vector<INPUT> inputs) { SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)); }

}  // namespace

DrivenWindow::DrivenWindow(const std::wstring& exe) {
  STARTUPINFOW si{};
  si.cb = sizeof si;
  std::wstring commandLine = L"\"" + exe + L"\"";
  if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &process_))
    throw std::runtime_error("cannot start " + utf8(exe));
  WaitForInputIdle(process_.hProcess, 10000);
  const bool up = waitFor([&] {
    window_ = findWindow(process_.dwThreadId, L"QVpruefWindow");
    return window_ && GetForegroundWindow() == window_ && text(Control::metros) != "m";
  });
  if (!up) throw std::runtime_error("QVpruef's window did not become active");
}

DrivenWindow::~DrivenWindow() {
  if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process_.hProcess, 99);
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
}

HWND DrivenWindow::control(Control c) const { return GetDlgItem(window_, controlId(c)); }

HWND DrivenWindow::caption(std::size_t i) const { return GetDlgItem(window_, captionId(i)); }

std::string DrivenWindow::text(HWND w) const {
  if (!w) w = window_;
  wchar_t buffer[1024] = {};
  SendMessageW(w, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer));
  return utf8(buffer);
}

void DrivenWindow::setText(Control c, const std::string& text) const {
  SendMessageW(control(c), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide(text).c_str()));
}

Pixels DrivenWindow::rect(HWND w) const {
  RECT r;
  GetWindowRect(w, &r);
  MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

Pixels DrivenWindow::clientSize() const {
  RECT r;
  GetClientRect(window_, &r);
  return {0, 0, r.right, r.bottom};
}

std::wstring DrivenWindow::className(HWND w) const {
  wchar_t name[64] = {};
  GetClassNameW(w, name, 64);
  return name;
}

HWND DrivenWindow::focus() const {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(process_.dwThreadId, &info);
  return info.hwndFocus;
}

void DrivenWindow::focusOn(Control c) const {
  const DWORD self = GetCurrentThreadId();
  AttachThreadInput(self, process_.dwThreadId, TRUE);
  SetFocus(control(c));
  AttachThreadInput(self, process_.dwThreadId, FALSE);
}

void DrivenWindow::type(const std::string& text) const {
  std::vector<INPUT> inputs;
  for (char ch : text) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wScan = static_cast<WORD>(static_cast<unsigned char>(ch));
    in.ki.dwFlags = KEYEVENTF_UNICODE;
    inputs.push_back(in);
    in.ki.dwFlags |= KEYEVENTF_KEYUP;
    inputs.push_back(in);
  }
  send(inputs);
}

void DrivenWindow::press(WORD vk, WORD modifier) const {
  if (modifier) return send({key(modifier, false), key(vk, false), key(vk, true), key(modifier, true)});
  send({key(vk, false), key(vk, true)});
}

void DrivenWindow::click(Control c) const { SendMessageW(control(c), BM_CLICK, 0, 0); }

void DrivenWindow::clickLater(Control c) const { PostMessageW(control(c), BM_CLICK, 0, 0); }

DrivenWindow::Picture DrivenWindow::picture() const {
  const Pixels size = clientSize();
  POINT origin{0, 0};
  ClientToScreen(window_, &origin);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), size.width, -size.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, size.width, size.height, screen, origin.x, origin.y, SRCCOPY);
  GdiFlush();
  Picture p{size.width, size.height, {}};
  const auto* bgra = static_cast<const unsigned char*>(bits);
  for (int i = 0; i < size.width * size.height; ++i, bgra += 4) p.pixels.push_back(RGB(bgra[2], bgra[1], bgra[0]));
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return p;
}

void DrivenWindow::moveMouse(int x, int y) const {
  POINT p{x, y};
  ClientToScreen(window_, &p);
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dx = MulDiv(p.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  in.mi.dy = MulDiv(p.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  send({in});
}

HWND DrivenWindow::hover(int x, int y) const {
  HWND tip = nullptr;
  for (int nudge = 0; nudge < 4 && !tip; ++nudge) {
    moveMouse(x + nudge, y);
    waitFor([&] { return (tip = findWindow(process_.dwThreadId, L"tooltips_class32", window_)) != nullptr; });
  }
  return tip;
}

HWND DrivenWindow::messageBox() const {
  HWND box = nullptr;
  waitFor([&] { return (box = findWindow(process_.dwThreadId, L"#32770", window_)) != nullptr; });
  return box;
}

std::string DrivenWindow::messageText(HWND box) const {
  // The message is the box's longest static text; the icon is a static too.
  std::string longest;
  for (HWND w = GetWindow(box, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
    if (className(w) != L"Static") continue;
    const std::string t = text(w);
    if (t.size() > longest.size()) longest = t;
  }
  return longest;
}

bool DrivenWindow::closeMessageBox(HWND box) const {
  PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
  return waitFor([&] { return !IsWindow(box) && IsWindowEnabled(window_); });
}

std::optional<DWORD> DrivenWindow::exitCode() const {
  if (WaitForSingleObject(process_.hProcess, 5000) != WAIT_OBJECT_0) return std::nullopt;
  DWORD code = 0;
  GetExitCodeProcess(process_.hProcess, &code);
  return code;
}

}  // namespace qvpruef::win32
