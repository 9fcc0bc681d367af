// The window's style and the design face at its design sizes.
#include "testprog/window/look.hpp"

#include <QApplication>
#include <QScreen>

#include "testprog/window/qt_design.hpp"

namespace qvpruef::window {

void setUpLook() {
  QFont::insertSubstitution(toQString(formWindow.fontFace), "Liberation Sans");
  QApplication::setStyle("Fusion");
}

QFont designFont(double points) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const double dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
  QFont f(toQString(formWindow.fontFace));
  f.setWeight(QFont::Normal);
  f.setPointSizeF((points > 0 ? points : formWindow.points) * 96.0 / dpi);
  return f;
}

}  // namespace qvpruef::window
