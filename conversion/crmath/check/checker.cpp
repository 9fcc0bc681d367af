// Checks a function of one double against MPFR's correctly rounded value.
#include "conversion/crmath/check/checker.hpp"

#include <algorithm>
#include <atomic>
#include <bit>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "conversion/crmath/check/inputs.hpp"

namespace qv::crcheck {

void Tally::add(const Tally& other) {
  checked += other.checked;
  wrong += other.wrong;
  maxWrongUlpError = std::max(maxWrongUlpError, other.maxWrongUlpError);
  for (const WrongResult& w : other.firstWrong)
    if (firstWrong.size() < kKeptWrong) firstWrong.push_back(w);
}

bool sameResult(double got, double expected) {
  if (std::isnan(got) || std::isnan(expected)) return std::isnan(got) && std::isnan(expected);
  return std::bit_cast<std::uint64_t>(got) == std::bit_cast<std::uint64_t>(expected);
}

bool checkBlock(const Function& f, std::span<const double> xs, Reference& reference, Tally& tally) {
  double expected[kBlock], got[kBlock];
  const std::size_t n = std::min(xs.size(), kBlock);
  for (std::size_t i = 0; i < n; ++i) expected[i] = reference.correctlyRounded(f.reference, xs[i]);
  tally.checked += n;
  bool right = true;
  for (const Candidate& c : f.candidates) {
    c.evaluate(xs.data(), got, n);
    for (std::size_t i = 0; i < n; ++i) {
      if (sameResult(got[i], expected[i])) continue;
      right = false;
      ++tally.wrong;
      const double error = reference.ulpError(f.reference, xs[i], got[i]);
      tally.maxWrongUlpError = std::max(tally.maxWrongUlpError, error);
      if (tally.firstWrong.size() < Tally::kKeptWrong)
        tally.firstWrong.push_back({c.name, xs[i], got[i], expected[i], error});
    }
  }
  return right;
}

Tally checkRandom(const Function& f, std::uint64_t count, std::uint64_t seed, unsigned threads,
                  std::chrono::seconds progressEvery, const std::function<void(std::uint64_t done)>& progress) {
  // A cache line each: the threads count into them on every input.
  struct alignas(64) ThreadTally {
    Tally tally;
  };
  std::vector<ThreadTally> tallies(threads);
  std::atomic<std::uint64_t> done{0};
  std::mutex mutex;
  std::condition_variable finished;
  unsigned running = threads;
  std::vector<std::jthread> workers;
  for (unsigned t = 0; t < threads; ++t) {
    const std::uint64_t share = count / threads + (t < count % threads ? 1 : 0);
    workers.emplace_back([&, t, share] {
      {
        Reference reference;
        RandomInputs inputs(seed + t);
        double block[kBlock];
        for (std::uint64_t i = 0; i < share;) {
          const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(kBlock, share - i));
          for (std::size_t j = 0; j < n; ++j) block[j] = inputs.next();
          checkBlock(f, std::span(block, n), reference, tallies[t].tally);
          i += n;
          done += n;
        }
      }
      mpfr_free_cache2(MPFR_FREE_LOCAL_CACHE);  // this thread's constants (π, …)
      const std::lock_guard lock(mutex);
      --running;
      finished.notify_one();
    });
  }
  {
    std::unique_lock lock(mutex);
    while (!finished.wait_for(lock, progressEvery, [&] { return running == 0; })) progress(done);
  }
  workers.clear();
  Tally total;
  for (const ThreadTally& t : tallies) total.add(t.tally);
  return total;
}

}  // namespace qv::crcheck
