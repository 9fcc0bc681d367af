// qvcode decode: code texts back to positions by the inverse conversion, from
// the command line or line by line.

#include <algorithm>
#include <charconv>
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
#include "qvcode/layer.hpp"
#include "qvcode/table.hpp"
#include "records/picked_fields.hpp"

namespace qvcode {
namespace {

// An angle in degrees, minutes and seconds with its hemisphere's letter,
// written in `room`: 31°21'27.53" S.
struct DmsRoom {
  char text[3 * qv::numberTextRoom + 16];
  std::string_view write(double angle, char positive, char negative) {
    const qv::DmsParts p = qv::dmsParts(angle);
    char* at = qv::writePlainNumberText(text, p.degrees);
    at = std::copy_n("\u00b0", 2, at);
    at = qv::writePlainNumberText(at, p.minutes);
    *at++ = '\'';
    at = qv::writePlainNumberText(at, p.seconds);
    at = std::copy_n("\" ", 2, at);
    *at++ = angle < 0 ? negative : positive;
    return {text, static_cast<std::size_t>(at - text)};
  }
};

std::string dmsText(double angle, char positive, char negative) {
  DmsRoom room;
  return std::string(room.write(angle, positive, negative));
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
      .text("latitudeDms", DmsRoom().write(d.position.latitude, 'N', 'S'))
      .text("longitudeDms", DmsRoom().write(d.position.longitude, 'E', 'W'));
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

// How the plain output writes a position: in decimal degrees, to the
// system's 15 significant digits or to `decimals` decimals; in degrees,
// minutes and seconds alone (`dms`); and, on the command line without
// either, in both on two lines.
struct PlainForm {
  std::optional<int> decimals;
  bool dms = false;
  bool twoLines = false;
};

// `v` with `decimals` decimals, correctly rounded; a zero without its sign.
void appendFixed(std::string& s, double v, int decimals) {
  char digits[400];
  const std::to_chars_result r = std::to_chars(digits, digits + sizeof digits, v, std::chars_format::fixed, decimals);
  std::string_view text(digits, static_cast<std::size_t>(r.ptr - digits));
  if (text.starts_with('-') && text.find_first_not_of("-0.") == std::string_view::npos) text.remove_prefix(1);
  s += text;
}

void appendPlain(const qv::Position& p, const PlainForm& form, std::string& s) {
  const double lat = p.latitude, lon = p.longitude;
  if (form.dms) {
    s.append(dmsText(lat, 'N', 'S')).append(" ").append(dmsText(lon, 'E', 'W'));
    return;
  }
  if (form.decimals) {
    appendFixed(s, lat, *form.decimals);
    s += ' ';
    appendFixed(s, lon, *form.decimals);
  } else {
    char digits[2 * qv::numberTextRoom + 1];
    char* end = qv::writePlainNumberText(digits, lat);
    *end++ = ' ';
    s.append(digits, qv::writePlainNumberText(end, lon));
  }
  if (form.twoLines) s.append("\n").append(dmsText(lat, 'N', 'S')).append(" ").append(dmsText(lon, 'E', 'W'));
}

// The position in the plain form, or every field.
void appendDecoded(const Decoded& d, Format format, const PlainForm& form, std::string& out) {
  appendFormatted(
      format, out, [&](std::string& s) { appendPlain(d.position, form, s); }, [&](Record& r) { writeFields(r, d); });
}

// A line's code as read, with its text for the fields that say what it
// stands for.
struct CodeLine {
  std::string_view text;
  qv::CodeValues code;
};

// The codes of a block of lines through the batch inverse conversion:
// `write(decoded, text)` appends what a line gives.
template <class Write>
void decodeBlockWith(Decimals decimals, std::span<const std::string_view> lines, Format format, std::string& out,
                     std::vector<LineOutcome>& outcomes, Write&& write, char delimiter = ',') {
  convertBlockWith<CodeLine, qv::DecodedPoint>(
      lines, format, out, outcomes,
      [&](std::string_view line) {
        return CodeLine{line, codeOfLine(line, decimals)};
      },
      [](const std::vector<CodeLine>& read, std::vector<qv::DecodedPoint>& positions) {
        thread_local std::vector<qv::CodeValues> codes;
        codes.clear();
        for (const CodeLine& c : read) codes.push_back(c.code);
        qv::decodeMany(codes, positions);
      },
      [&](const CodeLine& c, const qv::DecodedPoint& p, std::string& text) {
        write(Decoded{c.text, decimals, c.code, p.position}, text);
      },
      delimiter);
}

// The positions of a block of lines, in any format: what decode gives each
// line.
void decodeBlock(Decimals decimals, const PlainForm& form, std::span<const std::string_view> lines, Format format,
                 std::string& out, std::vector<LineOutcome>& outcomes) {
  decodeBlockWith(decimals, lines, format, out, outcomes,
                  [&](const Decoded& d, std::string& text) { appendDecoded(d, format, form, text); });
}

LineCommand decodeLines(Decimals decimals, const PlainForm& form) {
  return {"decode",
          "codes",
          csvHeaderOf([](Record& r) { writeFields(r, Decoded{}); }),
          [decimals, form](std::string_view line, Format format, std::string& out) {
            appendDecoded(decode(line, decimals), format, form, out);
          },
          {},
          [decimals, form](std::span<const std::string_view> lines, Format format, std::string& out,
                           std::vector<LineOutcome>& outcomes) {
            decodeBlock(decimals, form, lines, format, out, outcomes);
          },
          allFormats};
}

// A table's fields of each code, as decode --csv writes them.
LineCommand decodeTableLines(Decimals decimals, const std::vector<std::string>& fields, char delimiter) {
  std::string header;
  for (const std::string& f : fields) header.append(header.empty() ? "" : std::string(1, delimiter)).append(f);
  // The degrees, minutes and seconds and the ranges take most of the time:
  // without them, the fields are written here, the cover computed only for
  // farthestKm.
  const auto picked = [&](std::string_view f) { return std::find(fields.begin(), fields.end(), f) != fields.end(); };
  const bool cheap = std::all_of(fields.begin(), fields.end(), [](const std::string& f) {
    return f == "hour" || f == "offsetKm" || f == "distanceKm" || f == "farthestKm" || f == "latitude" ||
           f == "longitude";
  });
  const bool farthest = picked("farthestKm");
  const auto write = [delimiter, cheap, farthest](qvrecords::PickedFields& row, const Decoded& d, std::string& out) {
    if (!cheap) {
      writeFields(row, d);
    } else {
      row.integer("hour", d.code.hour).number("offsetKm", d.code.offsetKm).number("distanceKm", d.code.distanceKm);
      if (farthest)
        row.number("farthestKm", qv::coverOf(d.text, d.decimals.value_or(-1), d.code, d.position).farthestKm);
      row.number("latitude", d.position.latitude).number("longitude", d.position.longitude);
    }
    row.appendRow(out, delimiter);
  };
  LineCommand c{"decode",
                "codes",
                header,
                [decimals, write, fields](std::string_view line, Format, std::string& out) {
                  qvrecords::PickedFields row(fields);
                  write(row, decode(line, decimals), out);
                },
                {},
                [decimals, write, fields, delimiter](std::span<const std::string_view> lines, Format format,
                                                     std::string& out, std::vector<LineOutcome>& outcomes) {
                  qvrecords::PickedFields row(fields);
                  decodeBlockWith(
                      decimals, lines, format, out, outcomes,
                      [&](const Decoded& d, std::string& text) { write(row, d, text); }, delimiter);
                },
                allFormats};
  c.delimiter = delimiter;
  return c;
}

}  // namespace

int runDecode(Args args, std::ostream& out, std::ostream& err) {
  StreamOptions streams;
  TableOptions table;
  std::vector<std::string_view> codes;
  Decimals decimals;
  PlainForm form;
  std::optional<std::string> codeColumn, codeField;
  std::vector<Option> options = {
      precisionOption(decimals),
      withValue(
          "--decimals",
          [&form](std::string_view v) -> Problem {
            int n = -1;
            const auto [end, error] = std::from_chars(v.data(), v.data() + v.size(), n);
            if (error != std::errc() || end != v.data() + v.size() || n < 0 || n > 15)
              return "--decimals takes a number of decimals from 0 to 15, not '" + std::string(v) + "'";
            form.decimals = n;
            return {};
          },
          "needs a number of decimals from 0 to 15"),
      flag("--dms", form.dms),
      withValue("--code-column", keepText(codeColumn), "needs a column's name or number"),
      withValue("--code-field", keepText(codeField), "needs the name of the layer's field of codes"),
  };
  LayerOptions layer;
  declareStreamOptions(options, streams);
  declareTableOptions(options, table);
  declareLayerOptions(options, layer);
  if (const Problem problem = readArguments(args, "decode", options, appendTo(codes))) return usageError(err, *problem);
  if (layer.given() || codeField) {
    const auto problem = [&](const std::string& p) { return usageError(err, "decode: " + p); };
    if (const Problem p = layerOptionsProblem(layer))
      return problem(codeField && !layer.input ? "--code-field needs --layer" : *p);
    if (!codeField) return problem("--layer needs --code-field, the field that holds the codes");
    if (!codes.empty() || table.on || streams.inputGiven() || streams.outputFile || streams.json || streams.csv ||
        form.dms || form.decimals)
      return problem(
          "--layer reads the codes of a layer and writes --output-layer; it takes none of the "
          "filter's or the table's options");
    LayerJob job = layer.job(false);
    job.codeField = *codeField;
    job.precision = decimals;
    return runLayerJob(job, out, err);
  }
  if (const Problem problem = streamOptionsProblem(streams, !codes.empty()))
    return usageError(err, "decode: " + *problem);
  const auto problem = [&](const std::string& p) { return usageError(err, "decode: " + p); };
  if (form.dms && form.decimals) return problem("--dms and --decimals exclude each other");
  if ((form.dms || form.decimals) && (streams.format() != Format::plain || table.on))
    return problem(std::string(form.dms ? "--dms" : "--decimals") +
                   " shapes the plain output; --json, --csv and --table write every number in full");
  if (table.on) {
    if (!codes.empty()) return problem("--table reads its codes from the table, not from the command line");
    if (const Problem p = tableStreamProblem(streams)) return problem(*p);
    if (!codeColumn) return problem("--table needs --code-column");
    TableCommand t;
    t.columns = {*codeColumn};
    if (const Problem p = pickFields(table.fields, decodeLines(decimals, form).csvHeader,
                                     {"latitude", "longitude", "farthestKm"}, t.fields))
      return problem(*p);
    t.lines = [decimals, fields = t.fields](char delimiter) { return decodeTableLines(decimals, fields, delimiter); };
    return runTable(t, table, streams, out, err);
  }
  if (codeColumn || table.fields || table.delimiter)
    return problem("--code-column, --fields and --delimiter need --table");
  const LineCommand lines = decodeLines(decimals, form);
  if (codes.empty()) return runFilter(lines, streams, out, err);
  if (codes.size() != 1) return usageError(err, "decode takes one code text, such as \"m11:6.6 r236.8\"");

  std::string item;
  try {
    form.twoLines = !form.dms;
    appendDecoded(decode(codes.front(), decimals), streams.format(), form, item);
  } catch (const LineError& e) {
    err << "qvcode: " << e.what() << '\n';
    return exitUsage;
  } catch (const qv::RuntimeError& e) {
    return runtimeError(err, e);
  }
  return writeItem(lines, streams, item, out, err);
}

}  // namespace qvcode
