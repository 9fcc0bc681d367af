// The page's answers as JSON objects and CSV rows, under the field names of
// `qvcode encode --json` and `decode --json`: numbers in the shortest text
// that reads back to the same double (a value that is not finite is null in
// JSON, empty in CSV), texts escaped for JSON or quoted for CSV.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace web {

// A flat JSON object appended to a string, closed when it goes out of scope.
class JsonFields {
 public:
  explicit JsonFields(std::string& out);
  ~JsonFields();
  JsonFields(const JsonFields&) = delete;
  JsonFields& operator=(const JsonFields&) = delete;

  JsonFields& number(std::string_view key, double v);
  JsonFields& integer(std::string_view key, long long v);
  // `v` with quotes, backslashes and control characters escaped; the bytes
  // are UTF-8 from the page.
  JsonFields& text(std::string_view key, std::string_view v);

 private:
  std::string& key(std::string_view k);
  std::string& out_;
  bool first_ = true;
};

// The columns of the page's CSV: the line as typed, then the fields of its
// position and code (a position's, or a code's position back), then the
// reason a line failed.  Comment and blank lines have the input alone.
inline constexpr std::array<std::string_view, 11> csvColumns = {
    "input",          "latitude",           "longitude", "hour",        "distanceKm", "offsetKm",
    "bearingDegrees", "sectorAngleDegrees", "code",      "preciseCode", "error"};

// One CSV row of those columns, written in their order; the columns left
// after the last field written stay empty.  Appended, with its line feed,
// when it goes out of scope.
class CsvRow {
 public:
  explicit CsvRow(std::string& out) : out_(out) {}
  ~CsvRow();
  CsvRow(const CsvRow&) = delete;
  CsvRow& operator=(const CsvRow&) = delete;

  CsvRow& number(double v);
  CsvRow& integer(long long v);
  CsvRow& text(std::string_view v);
  CsvRow& skip(std::size_t columns);

 private:
  std::string& next();
  std::string& out_;
  std::size_t written_ = 0;
};

// The header line of the page's CSV, with its line feed.
std::string csvHeader();

// Appends the shortest text that reads back as `v` (finite).
void appendShortest(std::string& s, double v);

}  // namespace web
