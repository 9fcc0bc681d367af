// Test reporting of the Windows clients: one line per failed check, a count
// at the end, and the exit status 1 when anything failed.

#pragma once

#include <cstdio>
#include <string>

namespace client {

inline int failures = 0;
inline int checks = 0;

inline void check(bool ok, const std::string& what) {
  ++checks;
  if (!ok) {
    ++failures;
    std::printf("FAIL: %s\n", what.c_str());
  }
}

inline int summary(const char* name) {
  std::printf("%s: %d checks, %d failed\n", name, checks, failures);
  std::fflush(stdout);
  return failures == 0 ? 0 : 1;
}

}  // namespace client
