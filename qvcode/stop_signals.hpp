// The signals that stop a long command (SIGINT, SIGTERM, SIGHUP), caught for as long as one of these lives.
#pragma once
//
// A caught signal only sets a flag, which every thread may read; it breaks
// off a blocked open or write (no SA_RESTART), so that a report or a map
// bound for a FIFO without a reader does not hold the command for ever.  A
// signal that was ignored when this began stays ignored.

#include <signal.h>

#include <array>
#include <string>

namespace qvcode {

class StopSignals {
 public:
  StopSignals();
  ~StopSignals();
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

  // The signal that came, or 0.
  int caught() const noexcept;
  // "Interrupted by SIGINT", "Terminated by SIGTERM", "Hung up by SIGHUP".
  static std::string reason(int signal);

 private:
  std::array<struct sigaction, 3> previous_{};
};

}  // namespace qvcode
