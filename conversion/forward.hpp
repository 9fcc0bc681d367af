#pragma once
#include <cstdint>
#include <functional>

#include "case_values.hpp"
#include "error_mode.hpp"

namespace qv {

// The reference point, 48°8′13″ N, 11°34′31″ E, in decimal degrees.
inline double referenceLatitude() { return (48 + 8.0 / 60) + 13.0 / 3600; }
inline double referenceLongitude() { return (11 + 34.0 / 60) + 31.0 / 3600; }

inline constexpr double kmPerDegree = 111.18;

// Forward conversion of the position (Bdez, Ldez) into its Quorvel code.
//
// The input adjustment writes back into Bdez and Ldez.  When a longitude above
// 180 is moved to 180, `eastBoundClamped` is called at that point, so that a
// caller can show it (the test window sets its eastern bound box to "180").
// Switches `mode` into skip-on-error mode at the general branch of the offset's
// arc cosine; failures before that raise.
void forwardConversion(double& Bdez, double& Ldez, std::int16_t& stunde, CaseValues& v, ErrorMode& mode,
                       const std::function<void()>& eastBoundClamped = {});

}  // namespace qv
