// Lengths of the form's layout in twips (1/1440 inch) and their pixels at 96 dpi.
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

// The nearest whole pixel, halves rounded up; the layout has no negative
// lengths.
constexpr int toPixels(int twips) { return (twips + twipsPerPixel / 2) / twipsPerPixel; }

// Each edge and length rounded on its own, as the layout was drawn.
constexpr Pixels toPixels(Twips t) {
  return {toPixels(t.left), toPixels(t.top), toPixels(t.width), toPixels(t.height)};
}

}  // namespace qvpruef
