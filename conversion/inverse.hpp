#pragma once
#include <cstdint>

#include "case_values.hpp"
#include "error_mode.hpp"

namespace qv {

// Inverse conversion of the code values `distkm`, `versatzkm` (read from `v`)
// and `stunde` back into `Bdezbk`, `Ldezbk` and `Ybk`, under whatever mode
// the forward conversion of the same case left.  Reads the reference point in
// radians from `v` (B0rad, L0rad) as the forward conversion set them.
void inverseConversion(std::int16_t stunde, CaseValues& v, ErrorMode& mode);

// Sets the reference point in radians, as the forward conversion does first.
void setReferencePoint(CaseValues& v);

// Sine and cosine of the reference latitude and longitude in radians.
struct ReferenceTrig {
  double sinB0, cosB0, sinL0, cosL0;
};
const ReferenceTrig& referenceTrig();

}  // namespace qv
