// Checks a function of one double against MPFR's correctly rounded value:
// one input at a time, or a random stream split over threads.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "conversion/crmath/check/mpfr_reference.hpp"

namespace qv::crcheck {

struct Function {
  const char* name;
  double (*candidate)(double);
  MpfrFunction reference;
};

struct WrongResult {
  double input, got, expected;
  double ulpError;
};

// What the inputs checked so far gave.
struct Tally {
  static constexpr std::size_t kKeptWrong = 10;

  std::uint64_t checked = 0;
  std::uint64_t wrong = 0;
  double maxWrongUlpError = 0;  // 0 while nothing is wrong
  std::vector<WrongResult> firstWrong;  // at most kKeptWrong

  void add(const Tally& other);
};

// The same bits, except that every NaN is every other NaN; -0 is not +0.
bool sameResult(double got, double expected);

// Checks f at x into `tally`; whether the result was right.
bool checkInput(const Function& f, double x, Reference& reference, Tally& tally);

// f at `count` random inputs (RandomInputs), split over `threads` threads,
// the thread numbered t drawing from the stream seeded seed + t: the same
// seed and threads give the same inputs.  `progress` is called on the
// calling thread every `progressEvery` with the inputs done so far.
Tally checkRandom(const Function& f, std::uint64_t count, std::uint64_t seed, unsigned threads,
                  std::chrono::seconds progressEvery,
                  const std::function<void(std::uint64_t done)>& progress);

}  // namespace qv::crcheck
