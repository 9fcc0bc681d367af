// qvgrabscreen PATH: saves the whole screen of the X display as a PNG, for
// the screenshot of the test window taken under a virtual display.
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <cstdio>

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: qvgrabscreen PATH.png\n");
    return 2;
  }
  QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen || !screen->grabWindow(0).save(QString::fromLocal8Bit(argv[1]), "PNG")) {
    std::fprintf(stderr, "qvgrabscreen: cannot grab the screen into %s\n", argv[1]);
    return 1;
  }
  return 0;
}
