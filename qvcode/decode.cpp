// qvcode decode: a code text back to a position, by the inverse conversion.

#include <ostream>
#include <string>
#include <vector>

#include "code_reader.hpp"
#include "command.hpp"
#include "dms.hpp"
#include "json_writer.hpp"
#include "number_text.hpp"
#include "runtime_error.hpp"

namespace qvcode {
namespace {

std::string dmsText(double angle, char positive, char negative) {
  const qv::DmsText d = qv::splitDegrees(angle);
  return d.degrees + "\u00b0" + d.minutes + "'" + d.seconds + "\" " + (angle < 0 ? negative : positive);
}

}  // namespace

int runDecode(Args args, std::ostream& out, std::ostream& err) {
  bool json = false;
  std::vector<std::string_view> codes;
  const Option options[] = {flag("--json", json)};
  if (const Problem problem = readArguments(args, "decode", options, appendTo(codes))) return usageError(err, *problem);
  if (codes.size() != 1) return usageError(err, "decode takes one code text, such as \"m11:6.6 r236.8\"");
  const std::string_view code = codes.front();

  qv::CodeValues c;
  try {
    c = qv::readCode(code);
  } catch (const qv::CodeFormatError& e) {
    err << "qvcode: malformed code '" << code << "': " << e.what() << '\n';
    return exitUsage;
  }
  qv::Position p;
  try {
    p = qv::positionOf(c);
  } catch (const qv::RuntimeError& e) {
    return runtimeError(err, e);
  }

  const double lat = p.latitude;
  const double lon = p.longitude;
  if (json) {
    JsonObject(out)
        .integer("stunde", c.stunde)
        .number("versatzkm", c.versatzkm)
        .number("distkm", c.distkm)
        .number("latitude", lat)
        .number("longitude", lon)
        .text("latitudeDms", dmsText(lat, 'N', 'S'))
        .text("longitudeDms", dmsText(lon, 'E', 'W'));
    return exitOk;
  }
  out << qv::plainNumberText(lat) << ' ' << qv::plainNumberText(lon) << '\n'
      << dmsText(lat, 'N', 'S') << ' ' << dmsText(lon, 'E', 'W') << '\n';
  return exitOk;
}

}  // namespace qvcode
