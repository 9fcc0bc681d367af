// Lengths of the form's layout in twips (1/1440 inch) and their pixels at a screen's dpi.
#pragma once

namespace qvpruef {

// 96 dpi: 1440 / 96.
inline constexpr int twipsPerPixel = 15;

// A rectangle of the layout: its top left corner and its size, in twips.
struct Twips {
  int left, top, width, height;
};

// A rectangle in pixels of the window's client area.
struct Pixels {
  int left, top, width, height;
};

// The nearest whole pixel at `dpi` dots per inch (96 to a few hundred),
// halves rounded up; the layout has no negative lengths.
constexpr int toPixels(int twips, int dpi) { return (twips * dpi + 720) / 1440; }

// Each edge and length rounded on its own, as the layout was drawn.
constexpr Pixels toPixels(Twips t, int dpi) {
  return {toPixels(t.left, dpi), toPixels(t.top, dpi), toPixels(t.width, dpi), toPixels(t.height, dpi)};
}

// At 96 dpi, where every 15 twips make a pixel.
constexpr int toPixels(int twips) { return toPixels(twips, 1440 / twipsPerPixel); }
constexpr Pixels toPixels(Twips t) { return toPixels(t, 1440 / twipsPerPixel); }

}  // namespace qvpruef
