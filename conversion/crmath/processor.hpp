// What the processor offers the variants of variants.hpp, asked where one is
// chosen: false wherever the build cannot ask (another architecture or
// compiler), so that the portable variants run there.
#pragma once

namespace qv::cr {

bool hasFma();      // x86 fused multiply-add, usable by the system
bool hasAvx2Fma();  // AVX2 and FMA

}  // namespace qv::cr
