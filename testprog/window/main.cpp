// QVpruef: the round-trip test program of the Quorvel code, one window.
#include <QApplication>

#include <cstdio>
#include <string_view>

#include "testprog/window/look.hpp"
#include "testprog/window/qvpruef_window.hpp"
#include "version.hpp"

int main(int argc, char** argv) {
  // Answered before Qt starts, so that they need no display.
  for (int i = 1; i < argc; ++i) {
    const std::string_view a = argv[i];
    if (a == "--version") {
      std::printf("QVpruef (Quorvel) %s\n", qv::version);
      return 0;
    }
    if (a == "--help") {
      std::printf(
          "Usage: QVpruef [--version] [Qt options]\n"
          "The Quorvel code's round-trip test window; see also qvcode(1).\n");
      return 0;
    }
  }
  QApplication app(argc, argv);
  qvpruef::window::setUpLook();
  qvpruef::window::QVpruefWindow window;
  QObject::connect(&window, &qvpruef::window::QVpruefWindow::programEnded, &app, [] { QCoreApplication::exit(0); });
  window.show();
  // Without a window manager (a bare X server) nothing would activate it.
  window.activateWindow();
  return QApplication::exec();
}
