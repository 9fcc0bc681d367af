#include "look.hpp"

#include <QApplication>
#include <QScreen>

namespace qvpruef::window {
namespace {

constexpr const char* designFace = "MS Sans Serif";
constexpr double windowPoints = 8.25;  // the classic size of the face

}  // namespace

void setUpLook() {
  QFont::insertSubstitution(designFace, "Liberation Sans");
  QApplication::setStyle("Fusion");
}

QFont designFont(double points) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const double dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
  QFont f(designFace);
  f.setWeight(QFont::Normal);
  f.setPointSizeF((points > 0 ? points : windowPoints) * 96.0 / dpi);
  return f;
}

}  // namespace qvpruef::window
