// The look of the test window, the same on every desktop: the Fusion style,
// and the design face "MS Sans Serif", which Linux does not have, resolved to
// Liberation Sans, whose widths are within 3% of it.  Left to fontconfig, the
// face would become DejaVu Sans, about 17% wider, and clip the texts in the
// fixed boxes.

#pragma once

#include <QFont>

namespace qvpruef::window {

// Call once after the QApplication exists and before any window is built.
void setUpLook();

// The design face at `points`, sized as at 96 dpi so that texts keep their
// proportion to the pixel layout whatever the screen's dpi.  0 points: the
// window's own font.
QFont designFont(double points);

}  // namespace qvpruef::window
