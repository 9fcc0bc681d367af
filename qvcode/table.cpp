// Table mode: the header read and checked, then the rows in blocks through
// the command's block conversion, written as they came with the fields
// appended.

#include "qvcode/table.hpp"

#include <algorithm>
#include <ostream>
#include <system_error>

#include "conversion/printable_text.hpp"
#include "qvcode/csv_input.hpp"
#include "qvcode/failure.hpp"
#include "qvcode/part_workers.hpp"
#include "qvcode/table_rows.hpp"
#include "records/csv_writer.hpp"

namespace qvcode {
namespace {

std::vector<std::string_view> splitCommas(std::string_view text) {
  std::vector<std::string_view> parts;
  for (std::size_t from = 0;;) {
    const std::size_t comma = text.find(',', from);
    parts.push_back(text.substr(from, comma - from));
    if (comma == std::string_view::npos) return parts;
    from = comma + 1;
  }
}

std::string quoted(std::string_view name) { return "'" + qv::printableText(name) + "'"; }

// The header's names, as a message lists them.
std::string namesOf(const std::vector<std::string>& names) {
  std::string list;
  for (const std::string& n : names) list += (list.empty() ? "" : ", ") + quoted(n);
  return list;
}

// The index of the column that `given` names: a name of the header (once),
// else a number from 1.
Problem findColumn(std::string_view given, const std::vector<std::string>& names, std::size_t& index) {
  const auto count = std::count(names.begin(), names.end(), given);
  if (count > 1) {
    const auto first = std::find(names.begin(), names.end(), given) - names.begin();
    const auto second = std::find(names.begin() + first + 1, names.end(), given) - names.begin();
    return "the column name " + quoted(given) + " stands twice in the header line (columns " +
           std::to_string(first + 1) + " and " + std::to_string(second + 1) + "); name the column by its number";
  }
  if (count == 1) {
    index = static_cast<std::size_t>(std::find(names.begin(), names.end(), given) - names.begin());
    return {};
  }
  if (!given.empty() && given.size() < 10 &&
      std::all_of(given.begin(), given.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    const std::size_t n = std::stoul(std::string(given));
    if (n >= 1 && n <= names.size()) {
      index = n - 1;
      return {};
    }
    return "the table has no column " + std::string(given) + ": its " + std::to_string(names.size()) +
           " columns are numbered from 1";
  }
  return "the table has no column " + quoted(given) + "; its columns are " + namesOf(names);
}

}  // namespace

void declareTableOptions(std::vector<Option>& options, TableOptions& t) {
  options.push_back(flag("--table", t.on));
  options.push_back(withValue(
      "--delimiter",
      [&t](std::string_view v) -> Problem {
        if (v == "tab") v = "\t";
        if (v.size() != 1 || v[0] == '"' || v[0] == '\n' || v[0] == '\r')
          return "--delimiter takes one character or 'tab', not " + quoted(v);
        t.delimiter = v[0];
        return {};
      },
      "needs a character: ',', ';', '|' or 'tab'"));
  options.push_back(withValue("--fields", keepText(t.fields), "needs field names, separated by commas"));
}

Problem tableStreamProblem(const StreamOptions& s) {
  if (s.json || s.csv) return "--table writes the table with its new columns; it excludes --json and --csv";
  if (s.inputString) return "--table reads standard input or --input-file, not --input-string";
  return {};
}

Problem pickFields(const std::optional<std::string>& given, std::string_view known,
                   const std::vector<std::string>& defaults, std::vector<std::string>& picked) {
  if (!given) {
    picked = defaults;
    return {};
  }
  const std::vector<std::string_view> names = splitCommas(known);
  picked.clear();
  for (const std::string_view f : splitCommas(*given)) {
    if (std::find(names.begin(), names.end(), f) == names.end()) {
      std::string list;
      for (const std::string_view n : names) list.append(list.empty() ? "" : ", ").append(n);
      return "--fields: there is no field " + quoted(f) + "; the fields are " + list;
    }
    if (std::find(picked.begin(), picked.end(), f) != picked.end()) return "--fields names " + quoted(f) + " twice";
    picked.emplace_back(f);
  }
  return {};
}

int runTable(const TableCommand& t, const TableOptions& o, const StreamOptions& s, std::ostream& out,
             std::ostream& err) {
  LineCommand lines = t.lines(o.delimiter.value_or(','));
  lines.rows = true;
  const auto fail = [&](int status, const std::string& message) {
    err << "qvcode: " << lines.name << ": " << message << '\n';
    return status;
  };
  FilterStreams f;
  if (const int status = openStreams(lines, s, out, err, f)) return status;
  OutputSink& sink = *f.sink;
  CsvInput input(f.inputFd, f.inputName);
  long long rows = 0, failed = 0, firstFailed = 0;
  try {
    const char delimiter = o.delimiter.value_or(guessDelimiter(input.firstLine()));
    input.setDelimiter(delimiter);
    if (delimiter != lines.delimiter) {
      lines = t.lines(delimiter);
      lines.rows = true;
    }

    TableRow header;
    if (!input.next(header))
      return fail(exitInputFailed, f.inputName + " is empty: a table needs a header line that names its columns");
    std::vector<std::string> names;
    for (std::size_t i = 0; i < header.fields(); ++i) names.push_back(csvFieldValue(header.field(i)));
    std::vector<std::size_t> columns(t.columns.size());
    for (std::size_t i = 0; i < columns.size(); ++i)
      if (const Problem p = findColumn(t.columns[i], names, columns[i])) return fail(exitUsage, *p);
    std::vector<std::string> added = t.fields;
    added.emplace_back("error");
    for (const std::string& a : added)
      if (std::find(names.begin(), names.end(), a) != names.end())
        return fail(exitUsage, "the table has a column " + quoted(a) +
                                   " already; the new one would stand beside it under the same name (choose "
                                   "other fields with --fields, or rename the column)");

    // A header line that converts is the table's first row, not its names.
    {
      std::string first;
      appendItem(header, columns, first);
      std::string ignored;
      bool converts = true;
      try {
        lines.convert(first, Format::csv, ignored);
      } catch (...) {
        converts = false;
      }
      if (converts)
        return fail(exitInputFailed, "the first line's " + quoted(first) +
                                         " converts: it is a row, not the names "
                                         "of the columns, and a table needs a header line");
    }

    if (input.byteOrderMark()) sink.buffer += "\xEF\xBB\xBF";
    sink.buffer.append(header.text);
    for (const std::string& a : added) {
      sink.buffer += delimiter;
      qvrecords::appendCsvField(sink.buffer, a, delimiter);
    }
    sink.buffer += header.lineEnd.empty() ? std::string_view("\n") : header.lineEnd;
    sink.flush();  // before the rows are waited for

    TableRows table(lines, columns, names.size(), PartWorkers::processors());
    for (std::string_view held = input.fill(); !held.empty(); held = input.fill()) {
      const long long line = input.line();
      const HeldRows h = table.convert(input, sink.buffer);
      input.consume(h.bytes, h.lines);
      rows += h.rows;
      if (h.failed > 0 && failed == 0) firstFailed = line + h.firstFailed;
      failed += h.failed;
      if (h.stop == HeldRows::Stop::ragged) {
        sink.close();
        return fail(exitInputFailed, "line " + std::to_string(input.line()) + ": the row has " +
                                         std::to_string(h.raggedFields) + (h.raggedFields == 1 ? " field" : " fields") +
                                         ", the header line " + std::to_string(names.size()) +
                                         "; the rows before it are written");
      }
      if (h.stop == HeldRows::Stop::tooLong) throw CsvInput::tooLong(input.line());
      if (h.stop == HeldRows::Stop::unended && input.ended()) throw CsvInput::neverClosed(input.line());
      sink.flush();
    }
    sink.close();
  } catch (const CsvInputError& e) {
    try {
      sink.close();
    } catch (const OutputError&) {
    }
    return fail(exitInputFailed, e.what());
  } catch (const std::system_error& e) {
    try {
      sink.close();
    } catch (const OutputError&) {
    }
    return fail(exitInputFailed, std::string(e.what()) + " after " + std::to_string(rows) + " rows");
  } catch (const OutputError& e) {
    err << "qvcode: " << e.what() << '\n';
    return exitOutputFailed;
  }
  if (failed == 0) return exitOk;
  err << "qvcode: " << lines.name << ": " << failed << " of " << rows << " rows failed, the first on line "
      << firstFailed << '\n';
  return exitLinesFailed;
}

}  // namespace qvcode
