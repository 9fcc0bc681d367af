// The text box whose Enter runs a key handler of the form logic.

#include "key_box.hpp"

#include <QKeyEvent>

namespace qvpruef::window {

void KeyBox::keyPressEvent(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (enter && handler_) {
    handler_('\r');
    event->accept();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

}  // namespace qvpruef::window
