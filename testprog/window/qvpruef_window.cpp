#include "qvpruef_window.hpp"

#include <QEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>

#include "form_layout.hpp"
#include "key_box.hpp"
#include "look.hpp"

namespace qvpruef::window {
namespace {

const QColor windowGrey(224, 224, 224);
const QColor darkRed(192, 0, 0);

// The line under the title and the frame around the first case.
constexpr int line1Left = 240, line1Right = 6840, line1Y = 1080;  // twips
constexpr int line1Width = 3;
constexpr Twips shape1{240, 4440, 9492, 2052};
constexpr int shape1Width = 2;

QLabel* makeLabel(QWidget* parent, const QString& text, Twips at, double points, Ink ink) {
  auto* label = new QLabel(text, parent);
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setGeometry(toPixels(at));
  if (points > 0) label->setFont(designFont(points));
  if (ink == Ink::Caption) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, darkRed);
    label->setPalette(palette);
  }
  return label;
}

QWidget* makeControl(QWidget* parent, const Placement& p, const QString& text) {
  QWidget* w = nullptr;
  switch (p.kind) {
    case Kind::Box: w = new KeyBox(text, parent); break;
    case Kind::Button: w = new QPushButton(text, parent); break;
    case Kind::Label: return makeLabel(parent, text, p.at, p.points, p.ink);
  }
  w->setGeometry(toPixels(p.at));
  if (p.points > 0) w->setFont(designFont(p.points));
  return w;
}

}  // namespace

QVpruefWindow::QVpruefWindow(QWidget* parent) : QWidget(parent) {
  setWindowTitle(QString::fromUtf8("Quorvel\u00a9 test programe"));
  setFixedSize(toPixels(9960), toPixels(6636));
  setFont(designFont(0));
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, windowGrey);
  setPalette(palette);
  setAutoFillBackground(true);

  buildControls();
  wireHandlers();
}

void QVpruefWindow::buildControls() {
  for (const FixedCaption& c : fixedCaptions()) {
    QLabel* label = makeLabel(this, QString::fromUtf8(c.text.data(), static_cast<qsizetype>(c.text.size())),
                              c.at, c.points, c.ink);
    label->setObjectName(QString::fromUtf8(c.name.data(), static_cast<qsizetype>(c.name.size())));
  }
  for (std::size_t i = 0; i < controlCount; ++i) {
    const auto c = static_cast<Control>(i);
    const std::string_view name = controlName(c);
    QWidget* w = makeControl(this, placement(c), QString::fromStdString(designText(c)));
    w->setObjectName(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    controls_[i] = w;
    if (auto* box = qobject_cast<QLineEdit*>(w)) {
      boxTexts_[i] = box->text().toStdString();
      connect(box, &QLineEdit::textChanged, this,
              [this, i](const QString& text) { boxTexts_[i] = text.toStdString(); });
    }
  }
  // Pure yellow: a palette colour, or a style sheet colour without a border,
  // is drawn by the style as a gradient.
  widget(Control::fim)->setStyleSheet(
      "QPushButton { background-color: rgb(255, 255, 0); border: 1px solid rgb(128, 128, 128);"
      " border-radius: 2px; }"
      "QPushButton:focus { border: 2px solid palette(highlight); }"
      "QPushButton:pressed { background-color: rgb(224, 224, 0); }");
  // The store-errors mode is in force at start-up: its button is disabled.
  widget(Control::storeerrors)->setEnabled(false);

  const auto order = tabOrder();
  for (std::size_t i = 1; i < order.size(); ++i) setTabOrder(widget(order[i - 1]), widget(order[i]));
  widget(Control::pruefe)->setFocus();

  progress_.emplace(static_cast<QLabel*>(widget(Control::errors)),
                    static_cast<QLabel*>(widget(Control::caseslab)));
}

template <class Handler>
void QVpruefWindow::run(Handler handler) {
  progress_->start();
  handler();
  progress_->finish();
}

void QVpruefWindow::wireHandlers() {
  const auto onEnter = [this](Control c, void (QVpruefForm::*handler)(char)) {
    static_cast<KeyBox*>(widget(c))->onKeyPress([this, handler](char key) {
      run([&] { (form_.*handler)(key); });
    });
  };
  onEnter(Control::Bgradpos, &QVpruefForm::Bgradpos_KeyPress);
  onEnter(Control::Bgradneg, &QVpruefForm::Bgradneg_KeyPress);
  onEnter(Control::Lgradpos, &QVpruefForm::Lgradpos_KeyPress);
  onEnter(Control::Lgradneg, &QVpruefForm::Lgradneg_KeyPress);
  onEnter(Control::fehlersec, &QVpruefForm::fehlersec_KeyPress);

  const auto onClick = [this](Control c, void (QVpruefForm::*handler)()) {
    connect(static_cast<QPushButton*>(widget(c)), &QPushButton::clicked, this,
            [this, handler] { run([&] { (form_.*handler)(); }); });
  };
  onClick(Control::pruefe, &QVpruefForm::pruefe_Click);
  onClick(Control::storeerrors, &QVpruefForm::storeerrors_Click);
  onClick(Control::storeall, &QVpruefForm::storeall_Click);
  onClick(Control::fim, &QVpruefForm::fim_Click);
}

std::string QVpruefWindow::text(Control c) const {
  switch (c) {
    case Control::errors: return progress_->text(CounterProgress::Errors);
    case Control::caseslab: return progress_->text(CounterProgress::Cases);
    default: break;
  }
  QWidget* w = widget(c);
  switch (placement(c).kind) {
    case Kind::Box: return boxTexts_[static_cast<std::size_t>(c)];
    case Kind::Button: return static_cast<QPushButton*>(w)->text().toStdString();
    case Kind::Label: return static_cast<QLabel*>(w)->text().toStdString();
  }
  return {};
}

void QVpruefWindow::setText(Control c, const std::string& text) {
  switch (c) {
    case Control::errors: return progress_->set(CounterProgress::Errors, text);
    case Control::caseslab: return progress_->set(CounterProgress::Cases, text);
    default: break;
  }
  QWidget* w = widget(c);
  const QString t = QString::fromStdString(text);
  switch (placement(c).kind) {
    case Kind::Box: static_cast<QLineEdit*>(w)->setText(t); break;
    case Kind::Button: static_cast<QPushButton*>(w)->setText(t); break;
    case Kind::Label: static_cast<QLabel*>(w)->setText(t); break;
  }
}

void QVpruefWindow::setEnabled(Control c, bool enabled) { widget(c)->setEnabled(enabled); }

bool QVpruefWindow::isEnabled(Control c) const { return widget(c)->isEnabled(); }

void QVpruefWindow::endProgram() { emit programEnded(); }

void QVpruefWindow::showError(const std::string& message) {
  auto* box = new QMessageBox(QMessageBox::Critical, windowTitle(), QString::fromStdString(message),
                              QMessageBox::Ok, this);
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
  painter.setPen(QPen(darkRed, line1Width, Qt::SolidLine, Qt::FlatCap));
  painter.drawLine(toPixels(line1Left), toPixels(line1Y), toPixels(line1Right), toPixels(line1Y));
  // The border lies inside the frame's rectangle.
  painter.setPen(QPen(darkRed, shape1Width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  const double inset = shape1Width / 2.0;
  painter.drawRect(QRectF(toPixels(shape1)).adjusted(inset, inset, -inset, -inset));
}

}  // namespace qvpruef::window
