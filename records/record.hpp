// One result's named values, written field by field as a JSON object, a CSV
// row or the CSV header, so that --json and --csv show the same fields.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qvrecords {

class Record {
 public:
  // Doubles in the shortest text that reads back to the same double; a
  // value that is not finite is written as null.
  virtual Record& number(std::string_view key, double v) = 0;
  virtual Record& integer(std::string_view key, long long v) = 0;
  virtual Record& text(std::string_view key, std::string_view v) = 0;
  virtual Record& boolean(std::string_view key, bool v) = 0;
  virtual Record& null(std::string_view key) = 0;
  // A text that only some results have: a JSON object leaves the field out
  // without one, a CSV row leaves it empty, so that its columns stay fixed.
  virtual Record& textIfAny(std::string_view key, const std::optional<std::string_view>& v) = 0;

 protected:
  ~Record() = default;
};

// Appends the shortest text that reads back as the finite double `v`; false
// (and nothing) when `v` is infinite or NaN.  std::to_chars's text, from
// shortest_number.cpp (or a program's own of the same text).
bool appendNumber(std::string& s, double v);

}  // namespace qvrecords
