// The Qt window of the test program: the form's design table made widgets, wired to the form logic.
#include "testprog/window/qvpruef_window.hpp"

#include <QEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>

#include "testprog/form_events.hpp"
#include "testprog/window/fit_caption.hpp"
#include "testprog/window/key_box.hpp"
#include "testprog/window/look.hpp"
#include "testprog/window/qt_design.hpp"

namespace qvpruef::window {
namespace {

QWidget* makeControl(QWidget* parent, const ControlDesign& d, const QString& text) {
  QWidget* w = nullptr;
  switch (d.kind) {
    case Kind::Box: w = new KeyBox(text, parent); break;
    case Kind::Button: w = new QPushButton(text, parent); break;
    case Kind::Label: {
      auto* label = new QLabel(text, parent);
      label->setTextFormat(Qt::PlainText);
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      w = label;
      break;
    }
  }
  w->setObjectName(toQString(d.name));
  w->setGeometry(toQRect(d.at));
  if (d.points > 0) w->setFont(designFont(d.points));
  switch (d.ink) {
    case Ink::Plain: break;
    case Ink::Caption: {
      QPalette palette = w->palette();
      palette.setColor(QPalette::WindowText, toQColor(darkRed));
      w->setPalette(palette);
      break;
    }
    case Ink::Yellow:
      // Pure yellow: a palette colour, or a style sheet colour without a
      // border, is drawn by the style as a gradient.
      w->setStyleSheet(QString("QPushButton { background-color: rgb(%1, %2, %3); border: 1px solid rgb(128, 128, 128);"
                               " border-radius: 2px; }"
                               "QPushButton:focus { border: 2px solid palette(highlight); }"
                               "QPushButton:pressed { background-color: rgb(224, 224, 0); }")
                           .arg(yellow.red)
                           .arg(yellow.green)
                           .arg(yellow.blue));
      break;
  }
  if (!d.enabled) w->setEnabled(false);
  return w;
}

}  // namespace

QVpruefWindow::QVpruefWindow(QWidget* parent) : QWidget(parent) {
  setWindowTitle(toQString(formWindow.caption));
  setFixedSize(toPixels(formWindow.width), toPixels(formWindow.height));
  setFont(designFont(0));
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, toQColor(formWindow.background));
  setPalette(palette);
  setAutoFillBackground(true);

  buildControls();
  wireHandlers();
}

void QVpruefWindow::buildControls() {
  for (const ControlDesign& d : fixedCaptions) makeControl(this, d, toQString(d.text));
  for (std::size_t i = 0; i < controlCount; ++i) {
    const auto c = static_cast<Control>(i);
    QWidget* w = makeControl(this, design(c), QString::fromStdString(designText(c)));
    controls_[i] = w;
    if (design(c).kind == Kind::Label) labelTexts_[i] = designText(c);
  }

  for (std::size_t i = 1; i < tabOrder.size(); ++i) setTabOrder(widget(tabOrder[i - 1]), widget(tabOrder[i]));
  widget(tabOrder.front())->setFocus();

  // In the order of CounterProgress::Counter.
  constexpr std::array counters{Control::errors, Control::caseslab};
  const std::array labels{static_cast<QLabel*>(widget(counters[0])), static_cast<QLabel*>(widget(counters[1]))};
  progress_.emplace(CounterProgress::Texts{labels[0]->text().toStdString(), labels[1]->text().toStdString()},
                    [labels, counters](const CounterProgress::Texts& texts, bool paintNow) {
                      for (std::size_t i = 0; i < labels.size(); ++i) {
                        showCaption(*labels[i], QString::fromStdString(texts[i]), design(counters[i]).points);
                        if (paintNow) labels[i]->repaint();
                      }
                    });
}

template <class Handler>
void QVpruefWindow::run(Handler handler) {
  progress_->start();
  handler();
  progress_->finish();
}

void QVpruefWindow::wireHandlers() {
  for (const KeyHandler& h : keyHandlers)
    static_cast<KeyBox*>(widget(h.box))->onKeyPress([this, run = h.run](char key) {
      this->run([&] { (form_.*run)(key); });
    });
  for (const ClickHandler& h : clickHandlers)
    connect(static_cast<QPushButton*>(widget(h.button)), &QPushButton::clicked, this,
            [this, run = h.run] { this->run([&] { (form_.*run)(); }); });
}

std::string QVpruefWindow::text(Control c) const {
  switch (c) {
    case Control::errors: return progress_->text(CounterProgress::Errors);
    case Control::caseslab: return progress_->text(CounterProgress::Cases);
    default: break;
  }
  QWidget* w = widget(c);
  switch (design(c).kind) {
    case Kind::Box: return static_cast<QLineEdit*>(w)->text().toStdString();
    case Kind::Button: return static_cast<QPushButton*>(w)->text().toStdString();
    case Kind::Label: break;
  }
  return labelTexts_[static_cast<std::size_t>(c)];
}

void QVpruefWindow::setText(Control c, const std::string& text) {
  switch (c) {
    case Control::errors: return progress_->set(CounterProgress::Errors, text);
    case Control::caseslab: return progress_->set(CounterProgress::Cases, text);
    default: break;
  }
  QWidget* w = widget(c);
  const QString t = QString::fromStdString(text);
  switch (design(c).kind) {
    case Kind::Box: static_cast<QLineEdit*>(w)->setText(t); break;
    case Kind::Button: static_cast<QPushButton*>(w)->setText(t); break;
    case Kind::Label:
      labelTexts_[static_cast<std::size_t>(c)] = text;
      showCaption(*static_cast<QLabel*>(w), t, design(c).points);
      break;
  }
}

void QVpruefWindow::setEnabled(Control c, bool enabled) { widget(c)->setEnabled(enabled); }

bool QVpruefWindow::isEnabled(Control c) const { return widget(c)->isEnabled(); }

void QVpruefWindow::endProgram() { emit programEnded(); }

void QVpruefWindow::showError(const std::string& message) {
  auto* box =
      new QMessageBox(QMessageBox::Critical, windowTitle(), QString::fromStdString(message), QMessageBox::Ok, this);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->open();
}

void QVpruefWindow::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  // The window activates once at start-up; later activations (back from a
  // message box or another program) are not the form's activation.
  if (event->type() == QEvent::ActivationChange && isActiveWindow() && !activated_) {
    activated_ = true;
    run([this] { form_.Form_Activate(); });
  }
}

void QVpruefWindow::paintEvent(QPaintEvent* event) {
  QWidget::paintEvent(event);
  QPainter painter(this);
  painter.setPen(QPen(toQColor(line1.colour), line1.width, Qt::SolidLine, Qt::FlatCap));
  painter.drawLine(toPixels(line1.x1), toPixels(line1.y), toPixels(line1.x2), toPixels(line1.y));
  // The border lies inside the frame's rectangle.
  painter.setPen(QPen(toQColor(shape1.colour), shape1.width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  const double inset = shape1.width / 2.0;
  painter.drawRect(QRectF(toQRect(shape1.at)).adjusted(inset, inset, -inset, -inset));
}

}  // namespace qvpruef::window
