// One position's code with every field, from the round trip with its texts.

#include "conversion/encoding.hpp"

#include "conversion/detail/round_trip.hpp"

namespace qv {

EncodedCase encodeCase(double latitude, double longitude) {
  const Encoding e = encodePosition(latitude, longitude);
  const CaseValues& v = e.trip.values;
  // The system's code text begins with a blank, which only the report wants.
  const std::string_view code = v.codetext;
  return {pointOf(e.trip), v.versatztext, v.disttext, std::string(code.starts_with(' ') ? code.substr(1) : code),
          e.inverseError};
}

}  // namespace qv
