// The conversion for programs outside this project: encode and decode.

#include "conversion/conversion.hpp"

#include "conversion/detail/case_values.hpp"
#include "conversion/detail/case_texts.hpp"
#include "conversion/detail/error_mode.hpp"
#include "conversion/detail/forward.hpp"
#include "conversion/detail/hour_sector.hpp"

namespace qv {

Code encode(double latitude, double longitude, PositionRange range) {
  Position p = takePosition(latitude, longitude, range);
  CaseValues v;
  ErrorMode mode;
  Code c;
  forwardConversion(p.latitude, p.longitude, c.hour, v, mode);
  c.latitude = p.latitude;
  c.longitude = p.longitude;
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
