// qvcode encode: positions to their Quorvel codes, from the command line or
// line by line, with every field on request.

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "conversion/batch_conversion.hpp"
#include "conversion/code_text.hpp"
#include "conversion/position_reader.hpp"
#include "conversion/precise_code.hpp"
#include "conversion/encoding.hpp"
#include "conversion/runtime_error.hpp"
#include "qvcode/command.hpp"
#include "qvcode/filter.hpp"

namespace qvcode {
namespace {

// How encode takes its positions and writes their codes.
struct EncodeOptions {
  qv::PositionRange range = qv::PositionRange::asMeant;
  std::optional<int> precision;  // decimals of the precise code
};

void writeFields(Record& o, const qv::GivenPosition& p, const qv::EncodedCase& e, const std::optional<int>& precision) {
  const qv::RoundTripPoint& t = e.point;
  o.number("latitudeGiven", p.given.latitude)
      .number("longitudeGiven", p.given.longitude)
      .number("latitude", t.latitude)
      .number("longitude", t.longitude)
      .integer("hour", t.hour)
      .number("distanceKm", t.distanceKm)
      .number("offsetKm", t.offsetKm)
      .number("bearingDegrees", t.bearingDegrees)
      .number("sectorAngleDegrees", t.sectorAngleDegrees)
      .text("distanceText", e.distanceText)
      .text("offsetText", e.offsetText)
      .text("code", e.code);
  o.textIfAny("preciseCode", precision ? std::optional<std::string>(qv::preciseCodeText(t.hour, t.offsetKm,
                                                                                         t.distanceKm, *precision))
                                       : std::nullopt);
  o.boolean("skipOnError", t.skipOnError);
  t.latitudeBack ? o.number("latitudeBack", *t.latitudeBack) : o.null("latitudeBack");
  t.longitudeBack ? o.number("longitudeBack", *t.longitudeBack) : o.null("longitudeBack");
  o.number("westComponentBack", t.westComponentBack);
  o.textIfAny("inverseError", e.inverseError ? std::optional<std::string_view>(e.inverseError->what()) : std::nullopt);
}

// The code of one position: its text without the leading blank (or the
// precise code), or every field.  The code exists whenever the forward
// conversion succeeds; a failing inverse only leaves the position back open.
// Raises the forward conversion's run-time error.
void encode(const qv::GivenPosition& p, const EncodeOptions& o, Format format, std::string& out) {
  const qv::EncodedCase e = qv::encodeCase(p.used.latitude, p.used.longitude);
  appendFormatted(
      format, out,
      [&](std::string& s) {
        if (o.precision)
          s += qv::preciseCodeText(e.point.hour, e.point.offsetKm, e.point.distanceKm, *o.precision);
        else
          s += e.code;
      },
      [&](Record& r) { writeFields(r, p, e, o.precision); });
}

qv::GivenPosition positionOfLine(std::string_view line, qv::PositionRange range) {
  try {
    return qv::readGivenPosition(line, range);
  } catch (const qv::PositionError& e) {
    throw LineError(e.what());
  }
}

// The plain codes of a block of lines through the batch forward conversion:
// what encode gives each line, the forward conversion alone being what its
// code text needs.
void encodeBlock(const EncodeOptions& o, std::span<const std::string_view> lines, std::string& out,
                 std::vector<LineOutcome>& outcomes) {
  convertBlockWith<qv::Position, qv::EncodedPoint>(
      lines, Format::plain, out, outcomes, [&](std::string_view line) { return positionOfLine(line, o.range).used; },
      [&](const std::vector<qv::Position>& positions, std::vector<qv::EncodedPoint>& codes) {
        thread_local std::vector<double> latitudes, longitudes;
        latitudes.clear();
        longitudes.clear();
        for (const qv::Position& p : positions) {
          latitudes.push_back(p.latitude);
          longitudes.push_back(p.longitude);
        }
        qv::encodeMany(latitudes, longitudes, codes, o.range);
      },
      [&](const qv::Position&, const qv::EncodedPoint& c, std::string& text) {
        if (o.precision) {
          text += qv::preciseCodeText(c.hour, c.offsetKm, c.distanceKm, *o.precision);
        } else {
          char code[qv::codeRoom];
          text.append(code, qv::writeCode(code, c.hour, c.offsetKm, c.distanceKm));
        }
      });
}

LineCommand encodeLines(const EncodeOptions& o) {
  return {"encode", "positions",
          csvHeaderOf([](Record& r) { writeFields(r, qv::GivenPosition{}, qv::EncodedCase{}, std::nullopt); }),
          [o](std::string_view line, Format format, std::string& out) {
            encode(positionOfLine(line, o.range), o, format, out);
          },
          {},
          [o](std::span<const std::string_view> lines, Format, std::string& out, std::vector<LineOutcome>& outcomes) {
            encodeBlock(o, lines, out, outcomes);
          }};
}

}  // namespace

int runEncode(Args args, std::ostream& out, std::ostream& err) {
  StreamOptions streams;
  EncodeOptions encoding;
  bool asSweep = false;
  std::vector<std::string_view> given;
  std::vector<Option> options = {
      flag("--as-sweep", asSweep),
      precisionOption(encoding.precision),
  };
  declareStreamOptions(options, streams);
  if (const Problem problem = readArguments(args, "encode", options, appendTo(given))) return usageError(err, *problem);
  if (const Problem problem = streamOptionsProblem(streams, !given.empty()))
    return usageError(err, "encode: " + *problem);
  if (asSweep) encoding.range = qv::PositionRange::asSweep;
  const LineCommand lines = encodeLines(encoding);
  if (given.empty()) return runFilter(lines, streams, out, err);

  // The arguments are one position, however they split it: "50 10",
  // 48°8′13″N 11°34′31″E.
  std::string text;
  for (const std::string_view a : given) text.append(text.empty() ? "" : " ").append(a);
  std::string item;
  try {
    encode(qv::readGivenPosition(text, encoding.range), encoding, streams.format(), item);
  } catch (const qv::PositionError& e) {
    return usageError(err, std::string("encode: ") + e.what());
  } catch (const qv::RuntimeError& e) {
    return runtimeError(err, e);
  }
  return writeItem(lines, streams, item, out, err);
}

}  // namespace qvcode
