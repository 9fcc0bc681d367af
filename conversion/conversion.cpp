// The conversion for programs outside this project: encode and decode.

#include "conversion.hpp"

#include "case_values.hpp"
#include "code_text.hpp"
#include "error_mode.hpp"
#include "forward.hpp"

namespace qv {

Code encode(double latitude, double longitude) {
  CaseValues v;
  ErrorMode mode;
  Code c;
  forwardConversion(latitude, longitude, c.hour, v, mode);
  codeTexts(c.hour, v, mode);
  c.offsetKm = v.versatzkm;
  c.distanceKm = v.distkm;
  c.text = v.codetext.substr(1);
  return c;
}

Position decode(std::string_view text) { return positionOf(readCode(text)); }

}  // namespace qv
