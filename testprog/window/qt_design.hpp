// The form design's rectangles, colours and texts as Qt values.
#pragma once

#include <QColor>
#include <QRect>
#include <QString>

#include <string_view>

#include "testprog/form_design.hpp"

namespace qvpruef::window {

inline QRect toQRect(Twips t) {
  const Pixels p = toPixels(t);
  return {p.left, p.top, p.width, p.height};
}

inline QColor toQColor(Rgb c) { return {c.red, c.green, c.blue}; }

inline QString toQString(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace qvpruef::window
