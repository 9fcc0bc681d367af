// Codes finer than the code text: offset and distance with a chosen number of
// decimals, correctly rounded, for a user who needs a code that decodes
// within metres ("m11:6.612 r236.834" with 3 decimals).
//
// The code text itself stays as the system writes it (code_text.hpp): its
// whole kilometres are truncated while the tenth is rounded, so that
// 1096.996 km is "r1096" and a code text can decode up to about 1.8 km from
// where it came from.  A precise code says how far: with N decimals each
// number lies within half a unit of its last digit.
#pragma once

#include <cstdint>
#include <string>

namespace qv {

inline constexpr int maxPreciseDecimals = 6;

// "m<hour>:<offset> r<distance>" with `decimals` (0..6) decimals each,
// correctly rounded from the values (0 decimals: no point).
std::string preciseCodeText(std::int16_t hour, double offsetKm, double distanceKm, int decimals);

// A precise code is read back by readPreciseCode (code_reader.hpp).

}  // namespace qv
