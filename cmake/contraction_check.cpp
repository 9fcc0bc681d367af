// contraction_check: fails where the compiler fused a·b + c into one rounding
// (a fused multiply-add), which the project's flags forbid with
// -ffp-contract=off: every platform must compute the same bits.  Where the
// processor has FMA the sum is compiled for it, as the AVX2 lanes are, so
// that a build that lost the flag fuses it here too; ARM64 always has FMA.
// Exit status 0, 1 when fused, 77 where the processor has no FMA.
#include <cstdio>

namespace {

// 1 + 2^-30 times 1 - 2^-30 is 1 - 2^-60, which rounds to 1: rounded twice
// the sum is 0, fused it is -2^-60.  Volatile, so that no compiler folds it.
volatile double a = 1 + 0x1p-30, b = 1 - 0x1p-30, c = -1;

#if (defined(__x86_64__) || defined(__i386__)) && (defined(__GNUC__) || defined(__clang__))
bool hasFma() { return __builtin_cpu_supports("fma"); }
__attribute__((target("fma"))) double productPlus(double x, double y, double z) { return x * y + z; }
#else
bool hasFma() { return true; }
double productPlus(double x, double y, double z) { return x * y + z; }
#endif

}  // namespace

int main() {
  if (!hasFma()) {
    std::puts("skipped: this processor has no fused multiply-add to contract into");
    return 77;
  }
  const double sum = productPlus(a, b, c);
  if (sum != 0) {
    std::printf("a*b + c was fused into one rounding (%a, not 0): the build lost -ffp-contract=off\n", sum);
    return 1;
  }
  std::puts("a*b + c rounds twice");
  return 0;
}
