// The text box whose Enter runs a key handler of the form logic.

#include "testprog/window/key_box.hpp"

#include <QKeyEvent>

namespace qvpruef::window {

namespace {

// The keys that type a carriage return, character 13: Enter on either
// keyboard, and Ctrl+M, as on every terminal (M is the 13th letter).
bool typesCarriageReturn(const QKeyEvent& event) {
  if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) return true;
  const Qt::KeyboardModifiers others = event.modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
  return event.key() == Qt::Key_M && others == Qt::ControlModifier;
}

}  // namespace

void KeyBox::keyPressEvent(QKeyEvent* event) {
  if (typesCarriageReturn(*event) && handler_) {
    handler_('\r');
    event->accept();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

}  // namespace qvpruef::window
