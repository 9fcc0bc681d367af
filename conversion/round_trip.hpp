#pragma once
// One position taken to its Quorvel code and back, as a case of the test
// program does, for callers outside the test form (command line, benchmarks).

#include <cstdint>

#include "case_values.hpp"

namespace qv {

struct RoundTrip {
  double Bdez = 0, Ldez = 0;  // after the input adjustment
  std::int16_t stunde = 0;
  bool skipOnError = false;   // whether the case ran into skip-on-error mode
  CaseValues values;
};

// Raises the run-time error of a failing step when skip-on-error mode is off.
RoundTrip roundTrip(double latitude, double longitude);

}  // namespace qv
