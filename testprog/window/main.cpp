// QVpruef: the round-trip test program of the Quorvel code, one window.
#include <QApplication>

#include "look.hpp"
#include "qvpruef_window.hpp"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  qvpruef::window::setUpLook();
  qvpruef::window::QVpruefWindow window;
  QObject::connect(&window, &qvpruef::window::QVpruefWindow::programEnded, &app,
                   [] { QCoreApplication::exit(0); });
  window.show();
  // Without a window manager (a bare X server) nothing would activate it.
  window.activateWindow();
  return QApplication::exec();
}
