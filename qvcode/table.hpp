// Table mode of encode and decode: a delimited table with a header line in,
// the same table out, every row as it was written with the command's fields
// and an error field appended.
#pragma once

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "qvcode/filter.hpp"
#include "qvcode/options.hpp"

namespace qvcode {

// --table, --delimiter and --fields.
struct TableOptions {
  bool on = false;
  std::optional<char> delimiter;      // guessed from the header line when not given
  std::optional<std::string> fields;  // as given: "code,hour"
};

// Appends the three options to a command's declared options.
void declareTableOptions(std::vector<Option>& options, TableOptions& t);

// What the stream options cannot be in table mode: --json, --csv (the table
// is the output) and --input-string.  Options of table mode given without
// --table are refused by the command.
Problem tableStreamProblem(const StreamOptions& s);

// The fields a table gets: those of `given` (comma-separated), each one of
// the comma-separated `known`, or `defaults` when none are given.
Problem pickFields(const std::optional<std::string>& given, std::string_view known,
                   const std::vector<std::string>& defaults, std::vector<std::string>& picked);

// A command's table: the columns its item is read from, joined by a blank
// in this order ("lat lon"), named by the header's name or a number from 1;
// the fields it appends; and its conversion of an item into those fields as
// a CSV row with the table's delimiter (a LineCommand under Format::csv
// whose csvHeader names them).
struct TableCommand {
  std::vector<std::string> columns;
  std::vector<std::string> fields;
  std::function<LineCommand(char delimiter)> lines;
};

// Reads the table from standard input or --input-file and writes it to
// standard output or --output-file.  A header line is needed; so is every
// column named, once; a column of the header that one of the fields (or
// "error") would name again, a row with another number of fields than the
// header, a quote never closed and a header line that reads as the
// command's item are refused with exit status 2 (the rows before a bad row
// written).  A blank line passes through.  A row that fails gets empty
// fields and its reason; the exit status is then 1, as in filter mode.
int runTable(const TableCommand& t, const TableOptions& o, const StreamOptions& s, std::ostream& out,
             std::ostream& err);

}  // namespace qvcode
