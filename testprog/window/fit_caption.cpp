// Shrinking a label's caption with the window's own text measure.
#include "testprog/window/fit_caption.hpp"

#include <QFontMetrics>

#include "testprog/caption_fit.hpp"
#include "testprog/window/look.hpp"

namespace qvpruef::window {

void showCaption(QLabel& label, const QString& caption, double designPoints) {
  const double design = designPoints > 0 ? designPoints : formWindow.points;
  const int available = label.contentsRect().width();
  const CaptionFit fit = fitCaption(design, available, [&caption](double points) {
    return QFontMetrics(designFont(points)).horizontalAdvance(caption);
  });
  const QFont font = designFont(fit.points);
  if (label.font() != font) label.setFont(font);
  label.setText(fit.fits ? caption : QFontMetrics(font).elidedText(caption, Qt::ElideRight, available));
  label.setToolTip(fit.fits && fit.points == design ? QString() : caption);
}

}  // namespace qvpruef::window
