// Ignoring SIGPIPE and SIGXFSZ while a file is written.
#include "fileio/quiet_write_signals.hpp"

namespace qvfileio {

#ifdef _WIN32
QuietWriteSignals::QuietWriteSignals() = default;
QuietWriteSignals::~QuietWriteSignals() = default;
#else
QuietWriteSignals::QuietWriteSignals() {
  struct sigaction ignore {};
  ignore.sa_handler = SIG_IGN;
  sigemptyset(&ignore.sa_mask);
  sigaction(SIGPIPE, &ignore, &pipe_);
  sigaction(SIGXFSZ, &ignore, &fileSize_);
}

QuietWriteSignals::~QuietWriteSignals() {
  sigaction(SIGPIPE, &pipe_, nullptr);
  sigaction(SIGXFSZ, &fileSize_, nullptr);
}
#endif

}  // namespace qvfileio
