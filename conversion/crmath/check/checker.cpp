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

bool checkInput(const Function& f, double x, Reference& reference, Tally& tally) {
  ++tally.checked;
  const double got = f.candidate(x);
  const double expected = reference.correctlyRounded(f.reference, x);
  if (sameResult(got, expected)) return true;
  ++tally.wrong;
  const double error = reference.ulpError(f.reference, x, got);
  tally.maxWrongUlpError = std::max(tally.maxWrongUlpError, error);
  if (tally.firstWrong.size() < Tally::kKeptWrong) tally.firstWrong.push_back({x, got, expected, error});
  return false;
}

Tally checkRandom(const Function& f, std::uint64_t count, std::uint64_t seed, unsigned threads,
                  std::chrono::seconds progressEvery,
                  const std::function<void(std::uint64_t done)>& progress) {
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
        constexpr std::uint64_t kBatch = 4096;  // between updates of the shared count
        for (std::uint64_t i = 0; i < share; ++i) {
          checkInput(f, inputs.next(), reference, tallies[t].tally);
          if ((i + 1) % kBatch == 0) done += kBatch;
        }
        done += share % kBatch;
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
