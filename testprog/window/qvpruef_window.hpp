// The window of the test program QVpruef: the controls of the test form at
// their fixed places, wired to the toolkit-free form logic, which reads and
// writes them through the FormView interface.

#pragma once

#include <QWidget>

#include <array>
#include <optional>
#include <string>

#include "testprog/counter_progress.hpp"
#include "testprog/form_logic.hpp"
#include "testprog/form_view.hpp"

namespace qvpruef::window {

class QVpruefWindow final : public QWidget, public FormView {
  Q_OBJECT

 public:
  explicit QVpruefWindow(QWidget* parent = nullptr);

  using QWidget::isEnabled;
  using QWidget::setEnabled;

  std::string text(Control c) const override;
  void setText(Control c, const std::string& text) override;
  void setEnabled(Control c, bool enabled) override;
  bool isEnabled(Control c) const override;
  void endProgram() override;
  // A window-modal message box, opened without a nested event loop: the
  // handler returns, and the window is usable again once the box is closed.
  void showError(const std::string& message) override;

 signals:
  // "&END" was clicked; the application ends at once.
  void programEnded();

 protected:
  void changeEvent(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  QWidget* widget(Control c) const { return controls_[static_cast<std::size_t>(c)]; }
  void buildControls();
  void wireHandlers();
  // Runs a handler of the form logic; afterwards the counters show their
  // latest texts.
  template <class Handler>
  void run(Handler handler);

  std::array<QWidget*, controlCount> controls_{};
  // A label's text as the logic set it, also where the label shows it cut.
  // Boxes and buttons are read from their widgets.
  std::array<std::string, controlCount> labelTexts_;
  std::optional<CounterProgress> progress_;
  QVpruefForm form_{*this};
  bool activated_ = false;
};

}  // namespace qvpruef::window
