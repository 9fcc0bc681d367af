// qvcode encode: positions to their Quorvel codes, from the command line or
// line by line, with every field on request.

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "qvcode/command.hpp"
#include "qvcode/filter.hpp"
#include "conversion/position_reader.hpp"
#include "conversion/round_trip.hpp"
#include "conversion/runtime_error.hpp"

namespace qvcode {
namespace {

void writeFields(Record& o, const qv::Encoding& e) {
  const qv::RoundTrip& t = e.trip;
  const qv::CaseValues& v = t.values;
  o.number("latitude", t.latitude)
      .number("longitude", t.longitude)
      .integer("hour", t.hour)
      .number("distanceKm", v.distkm)
      .number("offsetKm", v.versatzkm)
      .text("distanceText", v.disttext)
      .text("offsetText", v.versatztext)
      .text("code", v.codetext)
      .boolean("skipOnError", t.skipOnError);
  v.Bdezbk ? o.number("latitudeBack", *v.Bdezbk) : o.null("latitudeBack");
  v.Ldezbk ? o.number("longitudeBack", *v.Ldezbk) : o.null("longitudeBack");
  o.number("westComponentBack", v.Ybk);
  o.textIfAny("inverseError", e.inverseError ? std::optional<std::string_view>(e.inverseError->what()) : std::nullopt);
}

// The code of one position: its text without the leading blank, or every
// field.  The code exists whenever the forward conversion succeeds; a failing
// inverse only leaves the position back open.  Raises the forward
// conversion's run-time error.
void encode(const qv::Position& p, Format format, std::string& out) {
  const qv::Encoding e = qv::encodePosition(p.latitude, p.longitude);
  appendFormatted(
      format, out, [&](std::string& s) { s.append(e.trip.values.codetext, 1); }, [&](Record& r) { writeFields(r, e); });
}

qv::Position positionOfLine(std::string_view line) {
  try {
    return qv::readPosition(line);
  } catch (const qv::PositionError& e) {
    throw LineError(e.what());
  }
}

LineCommand encodeLines() {
  return {"encode", "positions", csvHeaderOf([](Record& r) { writeFields(r, qv::Encoding{}); }),
          [](std::string_view line, Format format, std::string& out) { encode(positionOfLine(line), format, out); },
          {}};
}

}  // namespace

int runEncode(Args args, std::ostream& out, std::ostream& err) {
  StreamOptions streams;
  std::vector<std::string_view> given;
  std::vector<Option> options;
  declareStreamOptions(options, streams);
  if (const Problem problem = readArguments(args, "encode", options, appendTo(given))) return usageError(err, *problem);
  if (const Problem problem = streamOptionsProblem(streams, !given.empty()))
    return usageError(err, "encode: " + *problem);
  const LineCommand lines = encodeLines();
  if (given.empty()) return runFilter(lines, streams, out, err);

  // The arguments are one position, however they split it: "50 10",
  // 48°8′13″N 11°34′31″E.
  std::string text;
  for (const std::string_view a : given) text.append(text.empty() ? "" : " ").append(a);
  std::string item;
  try {
    encode(qv::readPosition(text), streams.format(), item);
  } catch (const qv::PositionError& e) {
    return usageError(err, std::string("encode: ") + e.what());
  } catch (const qv::RuntimeError& e) {
    return runtimeError(err, e);
  }
  return writeItem(lines, streams, item, out, err);
}

}  // namespace qvcode
