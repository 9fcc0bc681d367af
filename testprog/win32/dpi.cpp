// The window's dpi from the newest interface Windows offers, and sizes at that dpi.
#include "testprog/win32/dpi.hpp"

#include <cmath>

namespace qvpruef::win32 {
namespace {

// Looked up at run time: older Windows have neither.
template <class Function>
Function user32(const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using AdjustForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

}  // namespace

unsigned windowDpi(HWND window) {
  static const auto forWindow = user32<GetDpiForWindowFn>("GetDpiForWindow");
  if (forWindow) {
    if (const UINT dpi = forWindow(window)) return dpi;
  }
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<unsigned>(dpi) : 96;
}

SIZE outerSize(int width, int height, DWORD style, DWORD exStyle, unsigned dpi) {
  static const auto adjustForDpi = user32<AdjustForDpiFn>("AdjustWindowRectExForDpi");
  RECT r{0, 0, width, height};
  if (!adjustForDpi || !adjustForDpi(&r, style, FALSE, exStyle, dpi)) AdjustWindowRectEx(&r, style, FALSE, exStyle);
  return {r.right - r.left, r.bottom - r.top};
}

int fontPixels(double points, unsigned dpi) { return static_cast<int>(std::lround(points * dpi / 72.0)); }

}  // namespace qvpruef::win32
