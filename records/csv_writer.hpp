// Records as CSV: a row of values, or the header of their field names.
// Fields are separated by commas; one that holds a comma, a quote, a CR or a
// line feed is quoted, its quotes doubled.  Null is the empty field.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "records/record.hpp"

namespace qvrecords {

// Appends `v` as one CSV field; quoted where it holds `delimiter` (a tab in
// a TSV table), a quote, a CR or a line feed.
void appendCsvField(std::string& s, std::string_view v, char delimiter = ',');

// Appends the values of a record to `s`, without a line feed.
class CsvRow final : public Record {
 public:
  explicit CsvRow(std::string& s) : s_(s) {}
  CsvRow& number(std::string_view key, double v) override;
  CsvRow& integer(std::string_view key, long long v) override;
  CsvRow& text(std::string_view key, std::string_view v) override;
  CsvRow& boolean(std::string_view key, bool v) override;
  CsvRow& null(std::string_view key) override;
  CsvRow& textIfAny(std::string_view key, const std::optional<std::string_view>& v) override {
    return v ? text(key, *v) : null(key);
  }
  // The number of fields written so far.
  std::size_t fields() const noexcept { return fields_; }

 private:
  std::string& next();
  std::string& s_;
  std::size_t fields_ = 0;
};

// Appends the field names of a record to `s`, without a line feed.
class CsvHeader final : public Record {
 public:
  explicit CsvHeader(std::string& s) : s_(s) {}
  CsvHeader& number(std::string_view key, double) override { return name(key); }
  CsvHeader& integer(std::string_view key, long long) override { return name(key); }
  CsvHeader& text(std::string_view key, std::string_view) override { return name(key); }
  CsvHeader& boolean(std::string_view key, bool) override { return name(key); }
  CsvHeader& null(std::string_view key) override { return name(key); }
  CsvHeader& textIfAny(std::string_view key, const std::optional<std::string_view>&) override { return name(key); }
  // The number of fields named so far.
  int count() const noexcept { return count_; }

 private:
  CsvHeader& name(std::string_view key);
  std::string& s_;
  int count_ = 0;
};

}  // namespace qvrecords
