// Skip-on-error mode of one procedure call (`adler`, `algorit`).
//
// Off, a failing step raises and ends the procedure.  Once switched on it holds
// until the call returns: a step (one assignment, one output or one test) that
// raises is abandoned silently, its target keeps the value it had, and the next
// step runs; a test that raises counts as true.  A step is written as a lambda
// that computes first and assigns last, so an exception leaves its target as
// it was.

#pragma once

#include "runtime_error.hpp"

namespace qv {

class ErrorMode {
 public:
  bool skipping() const noexcept { return skip_; }
  void skipOnError() noexcept { skip_ = true; }

  template <class Step>
  void step(Step&& s) {
    if (!skip_) {
      s();
      return;
    }
    try {
      s();
    } catch (const RuntimeError&) {
    }
  }

  template <class Test>
  bool decide(Test&& t) {
    if (!skip_) return t();
    try {
      return t();
    } catch (const RuntimeError&) {
      return true;
    }
  }

 private:
  bool skip_ = false;
};

}  // namespace qv
