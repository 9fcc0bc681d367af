// The processor's features through the compiler's CPUID support, which also
// checks that the system saves the vector registers.
#include "conversion/crmath/processor.hpp"

namespace qv::cr {

#if (defined(__GNUC__) || defined(__clang__)) && (defined(__x86_64__) || defined(__i386__))
namespace {
bool supports(bool (*ask)()) {
  __builtin_cpu_init();
  return ask();
}
}  // namespace
bool hasFma() {
  return supports([] { return __builtin_cpu_supports("fma") != 0; });
}
bool hasAvx2Fma() {
  return supports([] { return __builtin_cpu_supports("avx2") != 0 && __builtin_cpu_supports("fma") != 0; });
}
#elif defined(__aarch64__)
bool hasFma() { return true; }
bool hasAvx2Fma() { return false; }
#else
bool hasFma() { return false; }
bool hasAvx2Fma() { return false; }
#endif

}  // namespace qv::cr
