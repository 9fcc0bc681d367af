// The page's answers as JSON objects and CSV rows, written by the records of
// qvcode (records/) under the field names of `qvcode encode --json` and
// `decode --json`.  Their numbers are the shortest texts that read back as
// the doubles, from the JavaScript engine's own digits (fields.cpp gives the
// page its qvrecords::appendNumber).
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "records/csv_writer.hpp"
#include "records/json_writer.hpp"

namespace web {

using qvrecords::JsonObject;

// The columns of the page's CSV: the line as typed, then the fields of its
// position and code (a position's, or a code's position back), then the
// reason a line failed.  Comment and blank lines have the input alone.
inline constexpr std::array<std::string_view, 11> csvColumns = {
    "input",          "latitude",           "longitude", "hour",        "distanceKm", "offsetKm",
    "bearingDegrees", "sectorAngleDegrees", "code",      "preciseCode", "error"};

// One row of those columns: `fill` writes its fields in their order, the
// columns after the last one written stay empty; appended with its line feed.
template <class Fill>
void appendCsvRow(std::string& out, Fill&& fill) {
  qvrecords::CsvRow row(out);
  fill(row);
  while (row.fields() < csvColumns.size()) row.null({});
  out += '\n';
}

// The header line of those columns, with its line feed.
std::string csvHeader();

}  // namespace web
