// qvcode encode: positions to their Quorvel codes, from the command line or
// line by line, with every field on request.

#include <algorithm>
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
#include "qvcode/layer.hpp"
#include "qvcode/table.hpp"
#include "records/picked_fields.hpp"

namespace qvcode {
namespace {

// How encode takes its positions and writes their codes.
struct EncodeOptions {
  qv::PositionRange range = qv::PositionRange::asMeant;
  qv::CoordinateOrder order = qv::CoordinateOrder::latitudeFirst;
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
  o.textIfAny("preciseCode",
              precision ? std::optional<std::string>(qv::preciseCodeText(t.hour, t.offsetKm, t.distanceKm, *precision))
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

qv::GivenPosition positionOfLine(std::string_view line, const EncodeOptions& o) {
  try {
    return qv::readGivenPosition(line, o.range, o.order);
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
      lines, Format::plain, out, outcomes, [&](std::string_view line) { return positionOfLine(line, o).used; },
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
  return {
      "encode",
      "positions",
      csvHeaderOf([](Record& r) { writeFields(r, qv::GivenPosition{}, qv::EncodedCase{}, std::nullopt); }),
      [o](std::string_view line, Format format, std::string& out) { encode(positionOfLine(line, o), o, format, out); },
      {},
      [o](std::span<const std::string_view> lines, Format, std::string& out, std::vector<LineOutcome>& outcomes) {
        encodeBlock(o, lines, out, outcomes);
      }};
}

// The fields that the forward conversion alone gives, as writeFields writes
// them: a table of these goes through the batch.
void writeForwardFields(Record& o, const qv::GivenPosition& p, const qv::EncodedPoint& c,
                        const std::optional<int>& precision) {
  char code[qv::codeRoom];
  o.number("latitudeGiven", p.given.latitude)
      .number("longitudeGiven", p.given.longitude)
      .integer("hour", c.hour)
      .number("distanceKm", c.distanceKm)
      .number("offsetKm", c.offsetKm)
      .number("bearingDegrees", c.bearingDegrees)
      .number("sectorAngleDegrees", c.sectorAngleDegrees)
      .text("code", std::string_view(code, qv::writeCode(code, c.hour, c.offsetKm, c.distanceKm)));
  if (precision) o.text("preciseCode", qv::preciseCodeText(c.hour, c.offsetKm, c.distanceKm, *precision));
}

// What a table row gets: the forward conversion's result, or the whole case.
struct TableResult {
  std::optional<qv::ErrorKind> error;
  qv::EncodedPoint point;
  qv::EncodedCase whole;
};

LineCommand encodeTableLines(const EncodeOptions& o, const std::vector<std::string>& fields, char delimiter) {
  std::string header;
  for (const std::string& f : fields) header.append(header.empty() ? "" : std::string(1, delimiter)).append(f);
  const std::string forward = "," + csvHeaderOf([](Record& r) { writeForwardFields(r, {}, {}, 0); }) + ",";
  const bool forwardAlone = std::all_of(fields.begin(), fields.end(), [&](const std::string& f) {
    return forward.find("," + f + ",") != std::string::npos;
  });
  LineCommand c{
      "encode",
      "positions",
      header,
      [o, fields, delimiter](std::string_view line, Format, std::string& out) {
        const qv::GivenPosition p = positionOfLine(line, o);
        qvrecords::PickedFields picked(fields);
        writeFields(picked, p, qv::encodeCase(p.used.latitude, p.used.longitude), o.precision);
        picked.appendRow(out, delimiter);
      },
      {},
      [o, fields, delimiter, forwardAlone](std::span<const std::string_view> lines, Format format, std::string& out,
                                           std::vector<LineOutcome>& outcomes) {
        qvrecords::PickedFields picked(fields);
        convertBlockWith<qv::GivenPosition, TableResult>(
            lines, format, out, outcomes, [&](std::string_view line) { return positionOfLine(line, o); },
            [&](const std::vector<qv::GivenPosition>& positions, std::vector<TableResult>& results) {
              if (!forwardAlone) {
                for (std::size_t i = 0; i < positions.size(); ++i) {
                  try {
                    results[i] = {{}, {}, qv::encodeCase(positions[i].used.latitude, positions[i].used.longitude)};
                  } catch (const qv::RuntimeError& e) {
                    results[i].error = e.kind();
                  }
                }
                return;
              }
              thread_local std::vector<double> latitudes, longitudes;
              thread_local std::vector<qv::EncodedPoint> codes;
              latitudes.clear();
              longitudes.clear();
              for (const qv::GivenPosition& p : positions) {
                latitudes.push_back(p.used.latitude);
                longitudes.push_back(p.used.longitude);
              }
              codes.resize(positions.size());
              qv::encodeMany(latitudes, longitudes, codes, o.range);
              for (std::size_t i = 0; i < codes.size(); ++i) results[i] = {codes[i].error, codes[i], {}};
            },
            [&](const qv::GivenPosition& p, const TableResult& r, std::string& text) {
              if (forwardAlone)
                writeForwardFields(picked, p, r.point, o.precision);
              else
                writeFields(picked, p, r.whole, o.precision);
              picked.appendRow(text, delimiter);
            },
            delimiter);
      },
      allFormats};
  c.delimiter = delimiter;
  return c;
}

}  // namespace

int runEncode(Args args, std::ostream& out, std::ostream& err) {
  StreamOptions streams;
  EncodeOptions encoding;
  TableOptions table;
  bool asSweep = false, lonFirst = false;
  std::optional<std::string> latColumn, lonColumn, positionColumn;
  std::vector<std::string_view> given;
  std::vector<Option> options = {
      flag("--as-sweep", asSweep),
      flag("--lon-first", lonFirst),
      precisionOption(encoding.precision),
      withValue("--lat-column", keepText(latColumn), "needs a column's name or number"),
      withValue("--lon-column", keepText(lonColumn), "needs a column's name or number"),
      withValue("--position-column", keepText(positionColumn), "needs a column's name or number"),
  };
  LayerOptions layer;
  declareStreamOptions(options, streams);
  declareTableOptions(options, table);
  declareLayerOptions(options, layer);
  if (const Problem problem = readArguments(args, "encode", options, appendTo(given))) return usageError(err, *problem);
  if (layer.given()) {
    const auto problem = [&](const std::string& p) { return usageError(err, "encode: " + p); };
    if (const Problem p = layerOptionsProblem(layer)) return problem(*p);
    if (!given.empty() || table.on || streams.inputGiven() || streams.outputFile || streams.json || streams.csv ||
        asSweep || lonFirst || encoding.precision)
      return problem(
          "--layer reads the points of a layer and writes --output-layer; it takes none of the "
          "filter's or the table's options");
    return runLayerJob(layer.job(true), out, err);
  }
  if (const Problem problem = streamOptionsProblem(streams, !given.empty()))
    return usageError(err, "encode: " + *problem);
  if (asSweep) encoding.range = qv::PositionRange::asSweep;
  if (lonFirst) encoding.order = qv::CoordinateOrder::longitudeFirst;
  const LineCommand lines = encodeLines(encoding);
  const bool columnGiven = latColumn || lonColumn || positionColumn;
  if (table.on) {
    const auto problem = [&](const std::string& p) { return usageError(err, "encode: " + p); };
    if (!given.empty()) return problem("--table reads its positions from the table, not from the command line");
    if (const Problem p = tableStreamProblem(streams)) return problem(*p);
    if (positionColumn && (latColumn || lonColumn))
      return problem("--position-column and --lat-column/--lon-column exclude each other");
    if (!positionColumn && !(latColumn && lonColumn))
      return problem("--table needs --lat-column and --lon-column, or --position-column");
    if (lonFirst && !positionColumn)
      return problem("--lon-first is for positions in one text; --lat-column and --lon-column say which is which");
    TableCommand t;
    t.columns =
        positionColumn ? std::vector<std::string>{*positionColumn} : std::vector<std::string>{*latColumn, *lonColumn};
    if (const Problem p =
            pickFields(table.fields, lines.csvHeader, {"code", "hour", "offsetKm", "distanceKm"}, t.fields))
      return problem(*p);
    if (!encoding.precision && std::find(t.fields.begin(), t.fields.end(), "preciseCode") != t.fields.end())
      return problem("the field preciseCode needs --precision N");
    t.lines = [encoding, fields = t.fields](char delimiter) { return encodeTableLines(encoding, fields, delimiter); };
    return runTable(t, table, streams, out, err);
  }
  if (columnGiven || table.fields || table.delimiter)
    return usageError(err,
                      "encode: --lat-column, --lon-column, --position-column, --fields and --delimiter need --table");
  if (given.empty()) return runFilter(lines, streams, out, err);

  // The arguments are one position, however they split it: "50 10",
  // 48°8′13″N 11°34′31″E.
  std::string text;
  for (const std::string_view a : given) text.append(text.empty() ? "" : " ").append(a);
  std::string item;
  try {
    encode(qv::readGivenPosition(text, encoding.range, encoding.order), encoding, streams.format(), item);
  } catch (const qv::PositionError& e) {
    return usageError(err, std::string("encode: ") + e.what());
  } catch (const qv::RuntimeError& e) {
    return runtimeError(err, e);
  }
  return writeItem(lines, streams, item, out, err);
}

}  // namespace qvcode
