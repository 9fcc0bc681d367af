// The inverse conversion: the values of a Quorvel code back to a position.
//
// In: `stunde`, and from `v` the full-precision `distkm` and `versatzkm` (km,
// never their rounded texts); the reference point is the fixed one of
// referenceTrig(), not v's B0rad/L0rad.  An hour outside 1..12 leaves the
// direction at 0: due south.
// Out: in `v` `Bdezbk` (latitude back, −90..90), `Ldezbk` (longitude back, in
// (−180, 180]; a point back at a pole gets 180) and `Ybk`, positive for
// western longitudes, whose sign gives the east/west letter.  Distance 0
// gives the reference point whatever the hour.
// Raises: under skip-on-error mode nothing; a failing step keeps its target
// (a sector cosine past ±1 gives an angle of 90° past the ray, a latitude
// sine past ±1 a latitude of 0).  With the mode off (the forward conversion
// took an exact branch of the offset's arc cosine) the first failing step
// raises, typically a sector cosine rounded just above 1 on the hour's ray.

#pragma once

#include <cstdint>

#include "conversion/detail/case_values.hpp"
#include "conversion/detail/error_mode.hpp"

namespace qv {

void inverseConversion(std::int16_t stunde, CaseValues& v, ErrorMode& mode);

}  // namespace qv
