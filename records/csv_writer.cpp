// Writing CSV rows and headers.

#include "records/csv_writer.hpp"

#include <algorithm>

namespace qvrecords {

void appendCsvField(std::string& s, std::string_view v, char delimiter) {
  // A plain loop: find_first_of looks each byte up in the set by memchr.
  const auto special = [delimiter](char c) { return c == delimiter || c == '"' || c == '\r' || c == '\n'; };
  if (std::none_of(v.begin(), v.end(), special)) {
    s.append(v);
    return;
  }
  s += '"';
  for (const char c : v) {
    if (c == '"') s += '"';
    s += c;
  }
  s += '"';
}

std::string& CsvRow::next() {
  if (fields_++ > 0) s_ += ',';
  return s_;
}

CsvRow& CsvRow::number(std::string_view, double v) {
  appendNumber(next(), v);
  return *this;
}

CsvRow& CsvRow::integer(std::string_view, long long v) {
  next() += std::to_string(v);
  return *this;
}

CsvRow& CsvRow::text(std::string_view, std::string_view v) {
  appendCsvField(next(), v);
  return *this;
}

CsvRow& CsvRow::boolean(std::string_view, bool v) {
  next() += v ? "true" : "false";
  return *this;
}

CsvRow& CsvRow::null(std::string_view) {
  next();
  return *this;
}

CsvHeader& CsvHeader::name(std::string_view key) {
  if (count_++ > 0) s_ += ',';
  appendCsvField(s_, key);
  return *this;
}

}  // namespace qvrecords
