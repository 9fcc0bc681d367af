// Catching the signals that stop a long command.
#include "qvcode/stop_signals.hpp"

#include <atomic>

namespace qvcode {
namespace {

constexpr std::array stopSignals = {SIGINT, SIGTERM, SIGHUP};

// Set by the handler and read by every thread: a lock-free atomic is safe
// for both.
std::atomic<int> stopSignal{0};
static_assert(std::atomic<int>::is_always_lock_free);

extern "C" void onStopSignal(int signal) { stopSignal.store(signal, std::memory_order_relaxed); }

}  // namespace

StopSignals::StopSignals() {
  stopSignal.store(0);
  struct sigaction stop {};
  stop.sa_handler = onStopSignal;
  sigemptyset(&stop.sa_mask);
  for (const int s : stopSignals) sigaddset(&stop.sa_mask, s);
  for (std::size_t i = 0; i < stopSignals.size(); ++i) {
    sigaction(stopSignals[i], nullptr, &previous_[i]);
    // Ignored when the command started (nohup, a background job of a shell
    // without job control): whoever started it meant it to run on.
    const bool ignored = !(previous_[i].sa_flags & SA_SIGINFO) && previous_[i].sa_handler == SIG_IGN;
    if (!ignored) sigaction(stopSignals[i], &stop, nullptr);
  }
}

StopSignals::~StopSignals() {
  for (std::size_t i = 0; i < stopSignals.size(); ++i) sigaction(stopSignals[i], &previous_[i], nullptr);
}

int StopSignals::caught() const noexcept { return stopSignal.load(std::memory_order_relaxed); }

std::string StopSignals::reason(int signal) {
  switch (signal) {
    case SIGINT: return "Interrupted by SIGINT";
    case SIGTERM: return "Terminated by SIGTERM";
    case SIGHUP: return "Hung up by SIGHUP";
    default: return "Stopped by signal " + std::to_string(signal);
  }
}

}  // namespace qvcode
