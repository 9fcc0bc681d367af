// A one-line text box whose Enter key (or Ctrl+M) runs a key handler of the
// form logic with a carriage return.  The handlers act on the carriage return only, so
// every other key reaches the box unchanged, and the carriage return never
// becomes part of the text.

#pragma once

#include <QLineEdit>

#include <functional>

namespace qvpruef::window {

class KeyBox final : public QLineEdit {
 public:
  using QLineEdit::QLineEdit;

  // Without a handler, Enter and Ctrl+M do what they do in a plain QLineEdit.
  void onKeyPress(std::function<void(char)> handler) { handler_ = std::move(handler); }

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  std::function<void(char)> handler_;
};

}  // namespace qvpruef::window
