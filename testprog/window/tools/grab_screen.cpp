// qvgrabscreen PATH [--crop]: saves the whole screen of the X display as a PNG,
// for the pictures of the test windows taken under a virtual display.
// --crop keeps only the smallest rectangle that holds every pixel unlike the
// bottom right one: a window on a plain desktop, without the desktop.
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>

#include <cstdio>
#include <cstring>

namespace {

QImage cropped(const QImage& image) {
  const QRgb desktop = image.pixel(image.width() - 1, image.height() - 1);
  int left = image.width(), top = image.height(), right = -1, bottom = -1;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) != desktop) {
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
      }
  return right < 0 ? image : image.copy(left, top, right - left + 1, bottom - top + 1);
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  const bool crop = argc == 3 && std::strcmp(argv[2], "--crop") == 0;
  if (argc != 2 && !crop) {
    std::fprintf(stderr, "usage: qvgrabscreen PATH.png [--crop]\n");
    return 2;
  }
  QScreen* screen = QGuiApplication::primaryScreen();
  QImage image = screen ? screen->grabWindow(0).toImage() : QImage();
  if (crop && !image.isNull()) image = cropped(image);
  if (image.isNull() || !image.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
    std::fprintf(stderr, "qvgrabscreen: cannot grab the screen into %s\n", argv[1]);
    return 1;
  }
  return 0;
}
