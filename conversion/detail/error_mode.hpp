// Skip-on-error mode of one procedure call (`adler`, `algorit`).
//
// Off, a failing step raises and ends the procedure.  Once switched on it holds
// until the call returns: a step (one assignment, one output or one test) that
// raises is abandoned silently, its target keeps the value it had, and the next
// step runs; a test that raises counts as true.  A step is written as a lambda
// that computes first and assigns last, so an exception leaves its target as
// it was.  The mode counts the steps and tests it abandoned, so that a caller
// can tell which part of a call raised.

#pragma once

#include "conversion/runtime_error.hpp"

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
      ++abandoned_;
    }
  }

  template <class Test>
  bool decide(Test&& t) {
    if (!skip_) return t();
    try {
      return t();
    } catch (const RuntimeError&) {
      ++abandoned_;
      return true;
    }
  }

  // Steps and tests that raised and were abandoned so far in this call.
  unsigned abandoned() const noexcept { return abandoned_; }

 private:
  bool skip_ = false;
  unsigned abandoned_ = 0;
};

}  // namespace qv
