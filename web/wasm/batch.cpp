// A block of the page's lines through the batch conversions.

#include "web/wasm/batch.hpp"

#include <exception>
#include <vector>

#include "conversion/batch_conversion.hpp"
#include "conversion/code_text.hpp"
#include "conversion/precise_code.hpp"
#include "conversion/runtime_error.hpp"
#include "web/wasm/fields.hpp"
#include "web/wasm/page_lines.hpp"

namespace web {
namespace {

// What became of one line before the batch conversions: passed through, read
// as the position or code at `index`, or failed for `reason`.
struct Line {
  std::string_view text;
  LineKind kind = LineKind::blank;
  std::size_t index = 0;
  std::string reason;
  bool failed = false;
};

class BlockWriter {
 public:
  BlockWriter(BlockText what, Block& out) : csv_(what == BlockText::csvRows), out_(out) {}

  void passThrough(const Line& l) {
    if (csv_)
      appendCsvRow(out_.text, [&](qvrecords::CsvRow& row) { row.text("input", l.text); });
    else
      out_.text.append(l.text) += '\n';
  }

  void fail(const Line& l, const std::string& reason) {
    ++out_.failed;
    if (csv_)
      appendCsvRow(out_.text, [&](qvrecords::CsvRow& row) {
        row.text("input", l.text);
        while (row.fields() + 1 < csvColumns.size()) row.null({});
        row.text("error", reason);
      });
    else
      out_.text.append("ERROR: ").append(reason) += '\n';
  }

  void position(const Line& l, const qv::EncodedPoint& c, int decimals) {
    char code[qv::codeRoom];
    const std::string_view text(code,
                                static_cast<std::size_t>(qv::writeCode(code, c.hour, c.offsetKm, c.distanceKm) - code));
    const std::string precise = decimals >= 0 ? qv::preciseCodeText(c.hour, c.offsetKm, c.distanceKm, decimals) : "";
    if (!csv_) {
      out_.text.append(decimals >= 0 ? std::string_view(precise) : text) += '\n';
      return;
    }
    appendCsvRow(out_.text, [&](qvrecords::CsvRow& row) {
      row.text("input", l.text)
          .number("latitude", c.latitude)
          .number("longitude", c.longitude)
          .integer("hour", c.hour)
          .number("distanceKm", c.distanceKm)
          .number("offsetKm", c.offsetKm)
          .number("bearingDegrees", c.bearingDegrees)
          .number("sectorAngleDegrees", c.sectorAngleDegrees)
          .text("code", text);
      if (decimals >= 0) row.text("preciseCode", precise);
    });
  }

  void code(const Line& l, const qv::CodeValues& code, const qv::Position& p) {
    if (!csv_) {
      qvrecords::appendNumber(out_.text, p.latitude);
      out_.text += ' ';
      qvrecords::appendNumber(out_.text, p.longitude);
      out_.text += '\n';
      return;
    }
    appendCsvRow(out_.text, [&](qvrecords::CsvRow& row) {
      row.text("input", l.text)
          .number("latitude", p.latitude)
          .number("longitude", p.longitude)
          .integer("hour", code.hour)
          .number("distanceKm", code.distanceKm)
          .number("offsetKm", code.offsetKm)
          .null("bearingDegrees")
          .null("sectorAngleDegrees")
          .text("code", codeText(l.text));
    });
  }

 private:
  const bool csv_;
  Block& out_;
};

// Reads one line into `l`, its position or code appended to the inputs.
void readLine(Line& l, int decimals, std::vector<double>& latitudes, std::vector<double>& longitudes,
              std::vector<qv::CodeValues>& codes) {
  if (const auto problem = lengthProblem(l.text)) {
    l.failed = true;
    l.reason = *problem;
    return;
  }
  l.kind = kindOf(l.text);
  try {
    if (l.kind == LineKind::code) {
      codes.push_back(readPageCode(l.text, decimals));
      l.index = codes.size() - 1;
    } else if (l.kind == LineKind::position) {
      const qv::Position p = qv::readPosition(l.text);
      latitudes.push_back(p.latitude);
      longitudes.push_back(p.longitude);
      l.index = latitudes.size() - 1;
    }
  } catch (const std::exception& e) {
    l.failed = true;
    l.reason = failureText(e);
  }
}

std::string runtimeErrorText(qv::ErrorKind kind) { return failureText(qv::RuntimeError(kind)); }

}  // namespace

void convertBlock(std::string_view text, int decimals, BlockText what, Block& out) {
  // Kept between blocks, so that a batch allocates once.
  static std::vector<Line> lines;
  static std::vector<double> latitudes, longitudes;
  static std::vector<qv::CodeValues> codes;
  static std::vector<qv::EncodedPoint> encoded;
  static std::vector<qv::DecodedPoint> decoded;
  lines.clear();
  latitudes.clear();
  longitudes.clear();
  codes.clear();
  out = Block{};

  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    Line& l = lines.emplace_back();
    l.text = line;
    readLine(l, decimals, latitudes, longitudes, codes);
  }
  encoded.resize(latitudes.size());
  qv::encodeMany(latitudes, longitudes, encoded);
  decoded.resize(codes.size());
  qv::decodeMany(codes, decoded);

  BlockWriter w(what, out);
  out.lines = lines.size();
  for (const Line& l : lines) {
    if (l.failed) {
      w.fail(l, l.reason);
    } else if (l.kind == LineKind::position) {
      // readPosition took the numbers as meant already, so encodeMany
      // refuses none of them.
      const qv::EncodedPoint& c = encoded[l.index];
      if (c.error)
        w.fail(l, runtimeErrorText(*c.error));
      else
        w.position(l, c, decimals);
    } else if (l.kind == LineKind::code) {
      const qv::DecodedPoint& p = decoded[l.index];
      if (p.error)
        w.fail(l, runtimeErrorText(*p.error));
      else
        w.code(l, codes[l.index], p.position);
    } else {
      w.passThrough(l);
    }
  }
}

}  // namespace web
