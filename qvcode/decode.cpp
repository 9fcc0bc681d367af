// qvcode decode: code texts back to positions by the inverse conversion, from
// the command line or line by line.

#include <ostream>
#include <string>
#include <vector>

#include "conversion/code_reader.hpp"
#include "conversion/dms.hpp"
#include "conversion/number_text.hpp"
#include "conversion/printable_text.hpp"
#include "conversion/runtime_error.hpp"
#include "qvcode/command.hpp"
#include "qvcode/filter.hpp"

namespace qvcode {
namespace {

std::string dmsText(double angle, char positive, char negative) {
  const qv::DmsText d = qv::splitDegrees(angle);
  return d.degrees + "\u00b0" + d.minutes + "'" + d.seconds + "\" " + (angle < 0 ? negative : positive);
}

struct Decoded {
  qv::CodeValues code;
  qv::Position position;
};

void writeFields(Record& o, const Decoded& d) {
  o.integer("hour", d.code.hour)
      .number("offsetKm", d.code.offsetKm)
      .number("distanceKm", d.code.distanceKm)
      .number("latitude", d.position.latitude)
      .number("longitude", d.position.longitude)
      .text("latitudeDms", dmsText(d.position.latitude, 'N', 'S'))
      .text("longitudeDms", dmsText(d.position.longitude, 'E', 'W'));
}

// Throws LineError for a malformed code and the inverse's run-time error.
Decoded decode(std::string_view code) {
  Decoded d;
  try {
    d.code = qv::readCode(code);
  } catch (const qv::CodeFormatError& e) {
    throw LineError("malformed code '" + qv::printableText(code) + "': " + e.what());
  }
  d.position = qv::positionOf(d.code);
  return d;
}

// "lat lon" in decimal degrees; on the command line the same in degrees,
// minutes and seconds on a second line.
void appendDecoded(const Decoded& d, Format format, bool withDms, std::string& out) {
  appendFormatted(
      format, out,
      [&](std::string& s) {
        const double lat = d.position.latitude, lon = d.position.longitude;
        s.append(qv::plainNumberText(lat)).append(" ").append(qv::plainNumberText(lon));
        if (withDms) s.append("\n").append(dmsText(lat, 'N', 'S')).append(" ").append(dmsText(lon, 'E', 'W'));
      },
      [&](Record& r) { writeFields(r, d); });
}

LineCommand decodeLines() {
  return {"decode", "codes", csvHeaderOf([](Record& r) { writeFields(r, Decoded{}); }),
          [](std::string_view line, Format format, std::string& out) {
            appendDecoded(decode(line), format, false, out);
          },
          {}};
}

}  // namespace

int runDecode(Args args, std::ostream& out, std::ostream& err) {
  StreamOptions streams;
  std::vector<std::string_view> codes;
  std::vector<Option> options;
  declareStreamOptions(options, streams);
  if (const Problem problem = readArguments(args, "decode", options, appendTo(codes))) return usageError(err, *problem);
  if (const Problem problem = streamOptionsProblem(streams, !codes.empty()))
    return usageError(err, "decode: " + *problem);
  const LineCommand lines = decodeLines();
  if (codes.empty()) return runFilter(lines, streams, out, err);
  if (codes.size() != 1) return usageError(err, "decode takes one code text, such as \"m11:6.6 r236.8\"");

  std::string item;
  try {
    appendDecoded(decode(codes.front()), streams.format(), true, item);
  } catch (const LineError& e) {
    err << "qvcode: " << e.what() << '\n';
    return exitUsage;
  } catch (const qv::RuntimeError& e) {
    return runtimeError(err, e);
  }
  return writeItem(lines, streams, item, out, err);
}

}  // namespace qvcode
