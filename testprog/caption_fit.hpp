// The size of a caption that must fit its label: the shrinking rule any window applies, given its own measure of a
// text's width.
#pragma once
//
// A label keeps its design size while its caption fits.  A longer caption (a
// count of five digits or more in `errors`, of eight in `caseslab`, a long
// first position in `WGSin`) shrinks in steps of one pixel at 96 dpi until it
// fits, but never below the window's own font, the size the design gives its
// smallest labels and so holds legible.  A caption that does not fit even
// then is cut by the window with an ellipsis.  Whenever a caption is not shown
// whole at its design size, the window shows all of it as a tooltip.

#include <functional>

#include "testprog/form_design.hpp"

namespace qvpruef {

// One pixel at 96 dpi, in points.
inline constexpr double captionStepPoints = 0.75;
// The smallest size a caption shrinks to: the window's own font, 8.25 pt.
inline constexpr double minimumCaptionPoints = formWindow.points;

struct CaptionFit {
  double points;  // the size to show the caption in
  bool fits;      // false: not even the smallest size fits, the caption is cut
};

// The largest of design, design − step, design − 2 step, … and the minimum,
// none below the minimum, at which `width(points)` is at most `available`
// (both in the window's unit, e.g. pixels); the minimum, not fitting, when
// none is.  A design size at or below the minimum is kept as it is.
CaptionFit fitCaption(double designPoints, double available, const std::function<double(double points)>& width,
                      double minimumPoints = minimumCaptionPoints, double stepPoints = captionStepPoints);

}  // namespace qvpruef
