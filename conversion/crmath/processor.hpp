// What the processor offers the variants of variants.hpp, asked where one is
// chosen: on x86 through CPUID; on ARM64 fused multiply-add is always there;
// false wherever the build cannot ask (another architecture or compiler), so
// that the portable variants run there.
#pragma once

namespace qv::cr {

bool hasFma();      // fused multiply-add (x86: usable by the system; every ARM64)
bool hasAvx2Fma();  // AVX2 and FMA

}  // namespace qv::cr
