// Checks the variants of a function of one double against MPFR's correctly
// rounded value, MPFR evaluated once per input for all of them: a block of
// inputs at a time, or a random stream split over threads.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "conversion/crmath/check/mpfr_reference.hpp"

namespace qv::crcheck {

// One implementation under check, evaluated on n inputs at once: a single
// function in a loop, or a batch function.
struct Candidate {
  std::string name;
  std::function<void(const double* x, double* out, std::size_t n)> evaluate;
};

struct Function {
  const char* name;
  MpfrFunction reference;
  std::vector<Candidate> candidates;
};

struct WrongResult {
  std::string variant;
  double input, got, expected;
  double ulpError;
};

// What the inputs checked so far gave.
struct Tally {
  static constexpr std::size_t kKeptWrong = 10;

  std::uint64_t checked = 0;            // inputs, each against every candidate
  std::uint64_t wrong = 0;              // wrong results, of any candidate
  double maxWrongUlpError = 0;          // 0 while nothing is wrong
  std::vector<WrongResult> firstWrong;  // at most kKeptWrong

  void add(const Tally& other);
};

// The same bits, except that every NaN is every other NaN; -0 is not +0.
bool sameResult(double got, double expected);

// Checks every candidate of f at the inputs xs (at most kBlock) into
// `tally`; whether every result was right.
inline constexpr std::size_t kBlock = 64;
bool checkBlock(const Function& f, std::span<const double> xs, Reference& reference, Tally& tally);

// f at `count` random inputs (RandomInputs), split over `threads` threads,
// the thread numbered t drawing from the stream seeded seed + t: the same
// seed and threads give the same inputs.  `progress` is called on the
// calling thread every `progressEvery` with the inputs done so far.
Tally checkRandom(const Function& f, std::uint64_t count, std::uint64_t seed, unsigned threads,
                  std::chrono::seconds progressEvery, const std::function<void(std::uint64_t done)>& progress);

}  // namespace qv::crcheck
