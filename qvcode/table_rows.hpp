// The rows a table's reader holds, converted in parts on every processor:
// each part finds its rows from a line start of its own and converts them,
// and the parts are joined where their rows meet the rows before them.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "qvcode/csv_input.hpp"
#include "qvcode/filter.hpp"

namespace qvcode {

class PartWorkers;

// A row's item: the values of its `columns` (indices), joined by a blank
// ("lat lon"), appended to `out`.
void appendItem(const TableRow& row, const std::vector<std::size_t>& columns, std::string& out);

// What the held bytes gave: the whole rows at their start, converted and
// written in order, and what stopped them.  Lines count from the line where
// the held bytes start (0 for that line).
struct HeldRows {
  std::size_t bytes = 0;  // taken: the rows written
  long long lines = 0;    // the input lines they span
  long long rows = 0;     // rows converted (blank lines pass through uncounted)
  long long failed = 0;
  long long firstFailed = -1;  // the line of the first that failed
  // What ends the rows taken, on the line `stopLine`: a row that runs on
  // past the held bytes (unended; read on), one too long, or a row of
  // another number of fields than the header (`ragged`, with its fields).
  enum class Stop { none, unended, tooLong, ragged } stop = Stop::none;
  long long stopLine = 0;
  std::size_t raggedFields = 0;
};

class TableRows {
 public:
  // Rows of `fields` fields whose item is the value of `columns` (indices,
  // joined by a blank), converted by `c` (its convertBlock, under CSV with
  // its delimiter); each row is written as it came, then the delimiter,
  // the fields and the error field, then its line end.  In at most `parts`
  // parts at once.
  TableRows(const LineCommand& c, std::vector<std::size_t> columns, std::size_t fields, std::size_t parts);
  ~TableRows();
  TableRows(const TableRows&) = delete;
  TableRows& operator=(const TableRows&) = delete;

  // Converts the whole rows of `input`'s held bytes onto `out`.  A blank
  // line passes through as it is.
  HeldRows convert(const CsvInput& input, std::string& out);

 private:
  struct Part;
  void scan(const CsvInput& input, std::size_t from, std::size_t to, Part& part) const;

  const LineCommand& c_;
  const std::vector<std::size_t> columns_;
  const std::size_t fields_;
  std::vector<Part> parts_;
  std::unique_ptr<PartWorkers> workers_;  // made for the first held bytes worth parts
};

}  // namespace qvcode
