// What the headless sweep watches: the signals that stop it, the progress bar, the worst differences.

#include "sweep_watch.hpp"

#include <algorithm>
#include <cmath>
#include <csignal>
#include <limits>
#include <ostream>
#include <string>

#include "judgement.hpp"
#include "runtime_error.hpp"

namespace qvcode {
namespace {

constexpr std::array stopSignals = {SIGINT, SIGTERM, SIGHUP};

volatile std::sig_atomic_t stopSignal = 0;

extern "C" void onStopSignal(int signal) { stopSignal = signal; }

void record(WorstDifference& worst, double difference, double latitude, double longitude) {
  // A difference that cannot be computed counts as the worst.
  if (std::isnan(difference)) difference = std::numeric_limits<double>::infinity();
  if (difference > worst.difference) worst = {difference, latitude, longitude};
}

}  // namespace

SweepWatch::SweepWatch(std::ostream* progress, double lonFrom, double lonTo)
    : progress_(progress), lonFrom_(lonFrom), lonTo_(lonTo) {
  stopSignal = 0;
  // Without SA_RESTART, so that a signal breaks off a blocked open or write
  // of the report instead of letting it wait on.
  struct sigaction stop {};
  stop.sa_handler = onStopSignal;
  sigemptyset(&stop.sa_mask);
  for (const int s : stopSignals) sigaddset(&stop.sa_mask, s);
  for (std::size_t i = 0; i < stopSignals.size(); ++i) sigaction(stopSignals[i], &stop, &previous_[i]);
}

SweepWatch::~SweepWatch() {
  for (std::size_t i = 0; i < stopSignals.size(); ++i) sigaction(stopSignals[i], &previous_[i], nullptr);
}

bool SweepWatch::stopRequested() {
  if (stopSignal != 0) stoppedBy_ = stopSignal;
  return stoppedBy_ != 0;
}

std::string SweepWatch::stopReason() const {
  switch (stoppedBy_) {
    case SIGINT: return "Interrupted by SIGINT";
    case SIGTERM: return "Terminated by SIGTERM";
    case SIGHUP: return "Hung up by SIGHUP";
    default: return "Stopped by signal " + std::to_string(stoppedBy_);
  }
}

void SweepWatch::caseEvaluated(const qvpruef::QVpruefForm& form, const qv::CaseValues& v) {
  record(worstLatitude_, std::fabs(v.Bdezbk.value_or(0) - form.Bdez), form.Bdez, form.Ldez);
  double dL = std::numeric_limits<double>::infinity();
  try {
    dL = std::fabs(qvpruef::longitudeDifference(v.Ldezbk.value_or(0), form.Ldez));
  } catch (const qv::RuntimeError&) {
  }
  record(worstLongitude_, dL, form.Bdez, form.Ldez);

  // The clock is looked at every few thousand cases, the bar drawn at most
  // ten times a second.
  if (!progress_ || ++sinceCheck_ < 4096) return;
  sinceCheck_ = 0;
  const auto now = std::chrono::steady_clock::now();
  if (now - lastDraw_ < std::chrono::milliseconds(100)) return;
  lastDraw_ = now;
  draw(form);
}

void SweepWatch::draw(const qvpruef::QVpruefForm& form) {
  constexpr int width = 40;
  const double span = lonFrom_ - lonTo_;
  const double done = span > 0 ? std::clamp((lonFrom_ - form.Ldez) / span, 0.0, 1.0) : 0.0;
  const int filled = static_cast<int>(done * width);
  *progress_ << "\r[" << std::string(static_cast<std::size_t>(filled), '#')
             << std::string(static_cast<std::size_t>(width - filled), ' ') << "] "
             << static_cast<int>(done * 100) << "%  " << form.fallzahl << " cases" << std::flush;
  drawn_ = true;
}

void SweepWatch::finish() {
  if (drawn_) *progress_ << "\r" << std::string(72, ' ') << "\r" << std::flush;
  drawn_ = false;
}

}  // namespace qvcode
