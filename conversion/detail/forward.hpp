// The forward conversion: a position to the values of its Quorvel code.
//
// In: Bdez, the latitude, and Ldez, the longitude, in decimal degrees (north
// and east positive).  They are adjusted in place first: a longitude of
// exactly −180 becomes −179.999999 (below −180 it stays), one above 180
// becomes 180; a latitude at or below −90 becomes −89.9, exactly 90 becomes
// 89.9 (above 90 it stays).
// Out: `stunde`, the clock hour 1..12 of the bearing's 30° sector, and in `v`
// `distkm` (0..20012.4 km from the reference point) and `versatzkm` (the
// offset from the hour's ray, km), with every working value.  The texts are
// made where they are shown or written (codeTexts, detail/case_texts.hpp).  The
// reference point itself is hour 5 at distance 0.
// Raises: before the offset's arc cosine, a floating-point fault or an arc
// cosine argument that rounding pushed beyond ±1 (within about a decimetre of
// the reference point or its antipode).  At the general branch of the
// offset's arc cosine `mode` is switched into skip-on-error mode: from there
// a failing step keeps its target's value (a failing offset stays 0).

#pragma once

#include <cstdint>
#include <functional>

#include "conversion/detail/case_values.hpp"
#include "conversion/detail/error_mode.hpp"

namespace qv {

// The input adjustment alone, as the conversion makes it first; true when
// it moved a longitude above 180 to 180.  Values below -180 and above 90 are
// left alone on purpose.  Inline: the batch asks it of every point.
inline bool adjustInput(double& Bdez, double& Ldez) {
  if (Ldez == -180) Ldez = -179.999999;
  const bool eastClamped = Ldez > 180;
  if (eastClamped) Ldez = 180;
  if (Bdez <= -90) Bdez = -89.9;
  if (Bdez == 90) Bdez = 89.9;
  return eastClamped;
}

// Whether the input adjustment moves the point at all.
inline bool adjustsInput(double Bdez, double Ldez) {
  const double B = Bdez, L = Ldez;
  adjustInput(Bdez, Ldez);
  return Bdez != B || Ldez != L;
}

// When a longitude above 180 is moved to 180, `eastBoundClamped` is called at
// that point, so that a caller can show it (the test window sets its eastern
// bound box to "180").
void forwardConversion(double& Bdez, double& Ldez, std::int16_t& stunde, CaseValues& v, ErrorMode& mode,
                       const std::function<void()>& eastBoundClamped = {});

}  // namespace qv
