// What the interleaved benchmarks measure with: the processor time of the
// calling thread, and the median of a run's rounds.
#pragma once

#include <algorithm>
#include <ctime>
#include <vector>

namespace qvbench {

// Seconds of processor time of this thread: on a machine that others share,
// the time slices they take do not count.
inline double cpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// The middle value (the upper one of an even count); `v` not empty.
inline double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace qvbench
