// The window's dots per inch and what follows from them: outer window size, font heights.
#pragma once
// The program declares itself per-monitor DPI aware, so Windows does not
// stretch its pixels: the layout's twips and the fonts' points are turned
// into pixels at the dpi of the monitor the window is on.  Windows before
// 10 (1607) know only the system dpi, which is then used.

#include <windows.h>

namespace qvpruef::win32 {

// 96 on a screen at 100 %, 144 at 150 %.
unsigned windowDpi(HWND window);

// The window size whose client area is `width` × `height` pixels with this
// style at `dpi`.
SIZE outerSize(int width, int height, DWORD style, DWORD exStyle, unsigned dpi);

// The character height in pixels of a font of `points` at `dpi`, rounded to
// the nearest pixel (8.25 pt: 11 pixels at 96 dpi).
int fontPixels(double points, unsigned dpi);

}  // namespace qvpruef::win32
