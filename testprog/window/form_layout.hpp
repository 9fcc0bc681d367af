#pragma once
// Where every control of the test window sits, how big its font is and which
// colours it wears.  Positions are kept in twips, the unit the layout was
// drawn in, and turned into pixels at 15 twips per pixel (96 dpi).

#include <QRect>

#include <span>
#include <string_view>

#include "form_view.hpp"

namespace qvpruef::window {

inline constexpr int twipsPerPixel = 15;

struct Twips {
  int left, top, width, height;
};

QRect toPixels(Twips t);
inline int toPixels(int twips) { return (twips + twipsPerPixel / 2) / twipsPerPixel; }

enum class Kind : std::uint8_t { Box, Button, Label };

// Caption style: dark red text on the window's grey.  Plain: the default
// colours of the style.
enum class Ink : std::uint8_t { Plain, Caption };

// Font sizes in points; 0 means the window's own font.
struct Placement {
  Kind kind;
  Twips at;
  double points;
  Ink ink;
};

// The placement of a control the form logic knows by name.
const Placement& placement(Control c);

// Labels whose captions never change: the logic never sees them.
struct FixedCaption {
  std::string_view name;
  std::string_view text;
  Twips at;
  double points;
  Ink ink;
};
std::span<const FixedCaption> fixedCaptions();

// The controls that take the focus, in tab order.
std::span<const Control> tabOrder();

}  // namespace qvpruef::window
