// The signals that a failed write would raise, ignored for as long as one of these lives.
#pragma once
//
// While a file is written, a FIFO whose reader went away (SIGPIPE) and the
// limit of the file size (SIGXFSZ) make writes fail with EPIPE and EFBIG,
// which the writer reports, instead of ending the program.  Windows raises
// neither.

#ifndef _WIN32
#include <signal.h>
#endif

namespace qvfileio {

class QuietWriteSignals {
 public:
  QuietWriteSignals();
  ~QuietWriteSignals();
  QuietWriteSignals(const QuietWriteSignals&) = delete;
  QuietWriteSignals& operator=(const QuietWriteSignals&) = delete;

#ifndef _WIN32
 private:
  struct sigaction pipe_ {
  }, fileSize_{};
#endif
};

}  // namespace qvfileio
