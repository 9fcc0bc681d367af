// A result label's caption in the window: shrunk to fit by the shared rule, cut only where even the smallest size is
// too wide.
#pragma once

#include <QLabel>
#include <QString>

namespace qvpruef::window {

// Shows `caption` in `label` at the largest size from `designPoints` (0: the
// window's own font) down to the smallest legible one that fits the label's
// width (fitCaption); where none does, at the smallest size cut with an
// ellipsis.  A caption shown smaller or cut has all of it as the tooltip; one
// at its design size has none.
void showCaption(QLabel& label, const QString& caption, double designPoints);

}  // namespace qvpruef::window
