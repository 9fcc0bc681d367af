// The form's controls kept in memory, starting with their design texts and
// states: the view of the tests.

#pragma once

#include <array>
#include <string>
#include <vector>

#include "testprog/form_view.hpp"

namespace qvpruef {

class MemoryView : public FormView {
 public:
  MemoryView();

  std::string text(Control c) const override { return texts_[index(c)]; }
  void setText(Control c, const std::string& text) override { texts_[index(c)] = text; }
  void setEnabled(Control c, bool enabled) override { enabled_[index(c)] = enabled; }
  bool isEnabled(Control c) const override { return enabled_[index(c)]; }
  void endProgram() override { ended_ = true; }
  void showError(const std::string& message) override { errors_.push_back(message); }

  bool programEnded() const noexcept { return ended_; }
  // Every error shown so far, oldest first.
  const std::vector<std::string>& shownErrors() const noexcept { return errors_; }

 private:
  static std::size_t index(Control c) { return static_cast<std::size_t>(c); }

  std::array<std::string, controlCount> texts_;
  std::array<bool, controlCount> enabled_{};
  bool ended_ = false;
  std::vector<std::string> errors_;
};

}  // namespace qvpruef
