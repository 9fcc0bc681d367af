// The conversion for programs outside this project: encode and decode.

#include "conversion/conversion.hpp"

#include "conversion/case_values.hpp"
#include "conversion/code_text.hpp"
#include "conversion/error_mode.hpp"
#include "conversion/forward.hpp"
#include "conversion/hour_sector.hpp"

namespace qv {

Code encode(double latitude, double longitude, PositionRange range) {
  Position p = takePosition(latitude, longitude, range);
  CaseValues v;
  ErrorMode mode;
  Code c;
  forwardConversion(p.latitude, p.longitude, c.hour, v, mode);
  codeTexts(c.hour, v, mode);
  c.offsetKm = v.versatzkm;
  c.distanceKm = v.distkm;
  c.bearingDegrees = bearingOf(v.richtgrad);
  c.sectorAngleDegrees = v.sektorgrad;
  c.text = v.codetext.substr(1);
  return c;
}

Position decode(std::string_view text) { return positionOf(readCode(text)); }

}  // namespace qv
