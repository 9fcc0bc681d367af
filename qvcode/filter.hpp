// Filter mode of the converting commands: one output line for every input
// line, in order, so that a line that fails gives its ERROR line and the
// lines stay aligned; and the options where input and output come from and
// go to, shared with the one-item form on the command line.
#pragma once

#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "conversion/runtime_error.hpp"
#include "records/csv_writer.hpp"
#include "qvcode/failure.hpp"
#include "records/json_writer.hpp"
#include "qvcode/line_input.hpp"
#include "qvcode/options.hpp"
#include "qvcode/output_sink.hpp"

namespace qvcode {

// The records every command writes its fields into.
using qvrecords::appendCsvField;
using qvrecords::CsvHeader;
using qvrecords::CsvRow;
using qvrecords::JsonObject;
using qvrecords::Record;

enum class Format { plain, json, csv };
// Sets of formats, a bit for each.
inline constexpr unsigned plainFormat = 1U << static_cast<unsigned>(Format::plain);
inline constexpr unsigned allFormats = 0b111;

// --json, --csv, --input-file, --input-string and --output-file.
struct StreamOptions {
  bool json = false, csv = false;
  std::optional<std::string> inputFile, inputString, outputFile;

  Format format() const { return json ? Format::json : csv ? Format::csv : Format::plain; }
  bool inputGiven() const { return inputFile || inputString; }
};

// Appends the five options to a command's declared options.
void declareStreamOptions(std::vector<Option>& options, StreamOptions& s);

// What the options cannot mean together: --json with --csv, two inputs, or
// an input besides items on the command line (`itemsGiven`).  "-" as a file
// name is standard input or output.
Problem streamOptionsProblem(const StreamOptions& s, bool itemsGiven);

// A line that cannot be read as the command's input; the message says why.
class LineError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// What became of one line of a block: its output, with its line feed, ends
// at `end` in the block's output, or it failed for `failure`.
struct LineOutcome {
  std::size_t end = 0;
  bool failed = false;
  std::string failure;
};

// What a command converts, line by line.
struct LineCommand {
  std::string_view name;
  std::string_view items;  // what a line holds, plural: "positions"
  // The field names of --json and --csv, comma-separated: the CSV header
  // (the filter adds the column "error").
  std::string csvHeader;
  // Appends the output of one line, without its line feed: plain text, a
  // JSON object or a CSV row of the header's fields.  Throws LineError or
  // the conversion's qv::RuntimeError.
  std::function<void(std::string_view line, Format format, std::string& out)> convert;
  // Whether a line is a comment; by default startsWithHash.
  std::function<bool(std::string_view line)> isComment;
  // Optional: the outputs of many lines at once in the formats that
  // `blockFormats` names, each byte for byte what `convert` gives it.
  // Appends every line's output and a line feed to `out` and, for each line
  // in order, where that ends or why it failed (the reason `convert` would
  // have thrown).
  std::function<void(std::span<const std::string_view> lines, Format format, std::string& out,
                     std::vector<LineOutcome>& outcomes)>
      convertBlock;
  // The formats convertBlock takes, a bit for each (1 << Format).
  unsigned blockFormats = plainFormat;
  // Under --csv, what separates the fields: a table's own delimiter.
  char delimiter = ',';
  // Whether the lines are a table's items (TableRows, which converts them
  // through convertBlock).
  bool rows = false;

  bool blockTakes(Format f) const { return convertBlock && (blockFormats >> static_cast<unsigned>(f) & 1U); }
};

// The number of fields of a command's CSV header.
std::size_t csvFieldCount(const LineCommand& c);

// Under --csv, the fields of an item that failed: every field of the
// command empty, then its reason in the error field, the reason's bytes that
// are no UTF-8 escaped, so that the output stays UTF-8.
void appendCsvFailure(const LineCommand& c, std::string_view reason, std::string& out);

// A LineCommand's convertBlock from three steps: `read(line)` gives a line's
// input or throws LineError or qv::RuntimeError; `convertMany(inputs,
// results)` converts those read all at once; `write(input, result, out)`
// appends a result's output in the block's format (a CSV row without its
// empty error field, which is added here after `delimiter`), unless the
// result holds its run-time error (`error`), which becomes the line's
// failure.
template <class Input, class Result, class Read, class ConvertMany, class Write>
void convertBlockWith(std::span<const std::string_view> lines, Format format, std::string& out,
                      std::vector<LineOutcome>& outcomes, Read&& read, ConvertMany&& convertMany, Write&& write,
                      char delimiter = ',') {
  thread_local std::vector<Input> inputs;
  thread_local std::vector<Result> results;
  inputs.clear();
  outcomes.assign(lines.size(), {});
  for (std::size_t i = 0; i < lines.size(); ++i) {
    try {
      inputs.push_back(read(lines[i]));
    } catch (const LineError& e) {
      outcomes[i] = {0, true, e.what()};
    } catch (const qv::RuntimeError& e) {
      outcomes[i] = {0, true, runtimeErrorText(e)};
    }
  }
  results.resize(inputs.size());
  convertMany(inputs, results);
  std::size_t next = 0;
  for (LineOutcome& outcome : outcomes) {
    if (!outcome.failed) {
      const Input& input = inputs[next];
      const Result& r = results[next++];
      if (r.error) {
        outcome = {0, true, runtimeErrorText(qv::RuntimeError(*r.error))};
      } else {
        write(input, r, out);
        if (format == Format::csv) out += delimiter;
        out += '\n';
      }
    }
    outcome.end = out.size();
  }
}

// The input and output of a filter, opened with the checks that keep a
// filter from destroying its own input: lines of --input-string, or the
// file descriptor of standard input or of --input-file (then closed here).
struct FilterStreams {
  std::optional<LineInput> input;
  int inputFd = -1, ownedFd = -1;
  std::string inputName;  // for messages: "standard input", "'in.csv'"
  std::optional<OutputSink> sink;
  FilterStreams() = default;
  FilterStreams(const FilterStreams&) = delete;
  FilterStreams& operator=(const FilterStreams&) = delete;
  ~FilterStreams();
};

// Opens them; answers 0, or the exit status after saying why on `err`.
int openStreams(const LineCommand& c, const StreamOptions& s, std::ostream& out, std::ostream& err, FilterStreams& f);

// Whether the first character of `line` that is no blank or tab is '#'.
bool startsWithHash(std::string_view line);

// Reads the lines of --input-file, --input-string or standard input and
// writes one line for each to --output-file or `out`.  Blank lines pass
// through as they are, and comments too (under --json as {"comment":...},
// a blank line as {}, so that every line is JSON; under --csv both as a row
// of empty fields, so that every row has the header's width); a failed line
// gives "ERROR: <reason>" ({"input":...,"error":...}; under --csv empty
// fields and the reason in "error"), the reason's bytes that are no UTF-8
// written as \xNN.  An input file that is a directory is refused at once.
// Answers exitOk, exitLinesFailed when a line
// failed (counted on `err`), exitInputFailed or exitOutputFailed when the
// input could not be read or the output not written (said on `err`, after
// what was converted before has been written).
int runFilter(const LineCommand& c, const StreamOptions& s, std::ostream& out, std::ostream& err);

// Writes the output of the one item given on the command line, as
// `convert` gives it, with a line feed (under --csv after the header) to
// --output-file or `out`.  Answers exitOk, or exitOutputFailed for a file
// that could not be written; `out` is left for the program to check.
int writeItem(const LineCommand& c, const StreamOptions& s, std::string_view item, std::ostream& out,
              std::ostream& err);

// The CSV header of a record: the names of the fields that `fill` writes.
std::string csvHeaderOf(const std::function<void(Record&)>& fill);

// Appends the output of one item in `format`: plain text by `plain(out)`, or
// the fields by `fields(record)` as a JSON object or a CSV row.
template <class Plain, class Fields>
void appendFormatted(Format format, std::string& out, Plain&& plain, Fields&& fields) {
  if (format == Format::plain) {
    plain(out);
  } else if (format == Format::json) {
    JsonObject o(out);
    fields(o);
  } else {
    CsvRow r(out);
    fields(r);
  }
}

}  // namespace qvcode
