// qvcode decode: code texts back to positions by the inverse conversion, from
// the command line or line by line.

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "conversion/batch_conversion.hpp"
#include "conversion/code_cover.hpp"
#include "conversion/code_reader.hpp"
#include "conversion/precise_code.hpp"
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

// How decode reads its codes: code texts, or precise codes of a number of
// decimals.
using Decimals = std::optional<int>;

struct Decoded {
  std::string_view text;
  Decimals decimals;
  qv::CodeValues code;
  qv::Position position;
};

void writeRanges(Record& o, const char* from, const char* to, const char* alsoFrom, const char* alsoTo,
                 const qv::KmRanges& r) {
  o.number(from, r.ranges[0].fromKm).number(to, r.ranges[0].toKm);
  if (r.count == 2)
    o.number(alsoFrom, r.ranges[1].fromKm).number(alsoTo, r.ranges[1].toKm);
  else
    o.null(alsoFrom).null(alsoTo);
}

void writeFields(Record& o, const Decoded& d) {
  // What the text stands for; an empty Decoded gives the field names alone.
  const qv::CodeCover cover =
      d.text.empty() ? qv::CodeCover{} : qv::coverOf(d.text, d.decimals.value_or(-1), d.code, d.position);
  o.integer("hour", d.code.hour).number("offsetKm", d.code.offsetKm).number("distanceKm", d.code.distanceKm);
  writeRanges(o, "distanceFromKm", "distanceToKm", "distanceAlsoFromKm", "distanceAlsoToKm", cover.distances);
  writeRanges(o, "offsetFromKm", "offsetToKm", "offsetAlsoFromKm", "offsetAlsoToKm", cover.offsets);
  o.number("farthestKm", cover.farthestKm)
      .number("latitude", d.position.latitude)
      .number("longitude", d.position.longitude)
      .text("latitudeDms", dmsText(d.position.latitude, 'N', 'S'))
      .text("longitudeDms", dmsText(d.position.longitude, 'E', 'W'));
}

// Throws LineError for a malformed code.
qv::CodeValues codeOfLine(std::string_view code, Decimals decimals) {
  try {
    return decimals ? qv::readPreciseCode(code, *decimals) : qv::readCode(code);
  } catch (const qv::CodeFormatError& e) {
    throw LineError("malformed code '" + qv::printableText(code) + "': " + e.what());
  }
}

// Throws LineError for a malformed code and the inverse's run-time error.
Decoded decode(std::string_view code, Decimals decimals) {
  Decoded d{code, decimals, codeOfLine(code, decimals), {}};
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
        char digits[2 * qv::numberTextRoom + 1];
        char* end = qv::writePlainNumberText(digits, lat);
        *end++ = ' ';
        s.append(digits, qv::writePlainNumberText(end, lon));
        if (withDms) s.append("\n").append(dmsText(lat, 'N', 'S')).append(" ").append(dmsText(lon, 'E', 'W'));
      },
      [&](Record& r) { writeFields(r, d); });
}

// A line's code as read, with its text for the fields that say what it
// stands for.
struct CodeLine {
  std::string_view text;
  qv::CodeValues code;
};

// The positions of a block of lines through the batch inverse conversion,
// in any format: what decode gives each line.
void decodeBlock(Decimals decimals, std::span<const std::string_view> lines, Format format, std::string& out,
                 std::vector<LineOutcome>& outcomes) {
  convertBlockWith<CodeLine, qv::DecodedPoint>(
      lines, format, out, outcomes,
      [&](std::string_view line) { return CodeLine{line, codeOfLine(line, decimals)}; },
      [](const std::vector<CodeLine>& read, std::vector<qv::DecodedPoint>& positions) {
        thread_local std::vector<qv::CodeValues> codes;
        codes.clear();
        for (const CodeLine& c : read) codes.push_back(c.code);
        qv::decodeMany(codes, positions);
      },
      [&](const CodeLine& c, const qv::DecodedPoint& p, std::string& text) {
        appendDecoded(Decoded{c.text, decimals, c.code, p.position}, format, false, text);
      });
}

LineCommand decodeLines(Decimals decimals) {
  return {"decode", "codes", csvHeaderOf([](Record& r) { writeFields(r, Decoded{}); }),
          [decimals](std::string_view line, Format format, std::string& out) {
            appendDecoded(decode(line, decimals), format, false, out);
          },
          {},
          [decimals](std::span<const std::string_view> lines, Format format, std::string& out,
                     std::vector<LineOutcome>& outcomes) { decodeBlock(decimals, lines, format, out, outcomes); },
          allFormats};
}

}  // namespace

int runDecode(Args args, std::ostream& out, std::ostream& err) {
  StreamOptions streams;
  std::vector<std::string_view> codes;
  Decimals decimals;
  std::vector<Option> options = {
      precisionOption(decimals),
  };
  declareStreamOptions(options, streams);
  if (const Problem problem = readArguments(args, "decode", options, appendTo(codes))) return usageError(err, *problem);
  if (const Problem problem = streamOptionsProblem(streams, !codes.empty()))
    return usageError(err, "decode: " + *problem);
  const LineCommand lines = decodeLines(decimals);
  if (codes.empty()) return runFilter(lines, streams, out, err);
  if (codes.size() != 1) return usageError(err, "decode takes one code text, such as \"m11:6.6 r236.8\"");

  std::string item;
  try {
    appendDecoded(decode(codes.front(), decimals), streams.format(), true, item);
  } catch (const LineError& e) {
    err << "qvcode: " << e.what() << '\n';
    return exitUsage;
  } catch (const qv::RuntimeError& e) {
    return runtimeError(err, e);
  }
  return writeItem(lines, streams, item, out, err);
}

}  // namespace qvcode
