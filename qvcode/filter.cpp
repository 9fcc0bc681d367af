// Filter mode: lines in, one output line for each, ERROR lines for failures.

#include "qvcode/filter.hpp"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <ostream>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

#include "qvcode/failure.hpp"
#include "qvcode/line_input.hpp"
#include "qvcode/output_sink.hpp"
#include "qvcode/part_workers.hpp"
#include "records/utf8_text.hpp"
#include "conversion/runtime_error.hpp"

namespace qvcode {
namespace {

bool isBlankLine(std::string_view line) { return line.find_first_not_of(" \t") == std::string_view::npos; }

bool isStandard(const std::optional<std::string>& file) { return !file || *file == "-"; }

// Whether writing `path` would empty the file that `fd` reads.
bool sameFile(int fd, const std::string& path) {
  struct stat in = {}, out = {};
  return ::fstat(fd, &in) == 0 && ::stat(path.c_str(), &out) == 0 && S_ISREG(in.st_mode) && in.st_dev == out.st_dev &&
         in.st_ino == out.st_ino;
}

// Whether the open `output` writes the regular file that `input` reads: a
// filter appending to its own input would grow it without end.
bool sameFile(int input, int output) {
  struct stat in = {}, out = {};
  return ::fstat(input, &in) == 0 && ::fstat(output, &out) == 0 && S_ISREG(in.st_mode) && in.st_dev == out.st_dev &&
         in.st_ino == out.st_ino;
}

}  // namespace

bool startsWithHash(std::string_view line) {
  const std::size_t i = line.find_first_not_of(" \t");
  return i != std::string_view::npos && line[i] == '#';
}

void declareStreamOptions(std::vector<Option>& options, StreamOptions& s) {
  options.push_back(flag("--json", s.json));
  options.push_back(flag("--csv", s.csv));
  options.push_back(withValue("--input-file", keepText(s.inputFile), "needs a file name"));
  options.push_back(withValue("--input-string", keepText(s.inputString), "needs the lines, separated by ';'"));
  options.push_back(withValue("--output-file", keepText(s.outputFile), "needs a file name"));
}

Problem streamOptionsProblem(const StreamOptions& s, bool itemsGiven) {
  if (s.json && s.csv) return "--json and --csv exclude each other";
  if (s.inputFile && s.inputString) return "--input-file and --input-string exclude each other";
  if (s.inputGiven() && itemsGiven)
    return "an item on the command line and --input-file or --input-string exclude each other";
  return {};
}

std::string csvHeaderOf(const std::function<void(Record&)>& fill) {
  std::string header;
  CsvHeader h(header);
  fill(h);
  return header;
}

std::size_t csvFieldCount(const LineCommand& c) {
  return static_cast<std::size_t>(std::count(c.csvHeader.begin(), c.csvHeader.end(), c.delimiter)) + 1;
}

void appendCsvFailure(const LineCommand& c, std::string_view reason, std::string& out) {
  out.append(csvFieldCount(c), c.delimiter);
  appendCsvField(out, qvrecords::utf8Escaped(reason), c.delimiter);
}

FilterStreams::~FilterStreams() {
  if (ownedFd >= 0) ::close(ownedFd);
}

int openStreams(const LineCommand& c, const StreamOptions& s, std::ostream& out, std::ostream& err, FilterStreams& f) {
  const auto stop = [&](int status, const std::string& message) {
    err << "qvcode: " << c.name << ": " << message << '\n';
    return status;
  };
  if (s.inputString) {
    f.input.emplace(*s.inputString);
  } else if (isStandard(s.inputFile)) {
    f.inputFd = STDIN_FILENO;
    f.inputName = "standard input";
  } else {
    f.ownedFd = ::open(s.inputFile->c_str(), O_RDONLY | O_CLOEXEC);
    if (f.ownedFd < 0) return stop(exitInputFailed, "cannot open '" + *s.inputFile + "': " + std::strerror(errno));
    // A directory opens, but its first read fails.
    if (struct stat st{}; ::fstat(f.ownedFd, &st) == 0 && S_ISDIR(st.st_mode))
      return stop(exitInputFailed, "'" + *s.inputFile + "' is a directory, not a file of " + std::string(c.items));
    f.inputFd = f.ownedFd;
    f.inputName = "'" + *s.inputFile + "'";
  }
  const int inputFd = f.inputFd;
  const std::string inputName = inputFd == STDIN_FILENO ? "the file standard input reads" : "the input file";
  if (inputFd >= 0 && !isStandard(s.outputFile) && sameFile(inputFd, *s.outputFile))
    return stop(exitUsage,
                "the output file '" + *s.outputFile + "' is " + inputName + "; writing it would destroy its lines");
  if (inputFd >= 0 && isStandard(s.outputFile) && sameFile(inputFd, STDOUT_FILENO))
    return stop(exitUsage,
                "standard output writes " + inputName + "; that would destroy its lines or grow it without end");
  try {
    isStandard(s.outputFile) ? f.sink.emplace(out) : f.sink.emplace(*s.outputFile);
  } catch (const OutputError& e) {
    err << "qvcode: " << e.what() << '\n';
    return exitOutputFailed;
  }
  if (inputFd == STDIN_FILENO && isatty(STDIN_FILENO) && isatty(STDERR_FILENO))
    err << "qvcode: " << c.name << ": reading " << (c.rows ? "a table of " : "") << c.items
        << (c.rows ? " from the terminal, its header line first" : " from the terminal, one a line")
        << "; Ctrl-D ends\n";
  return 0;
}

// The lines of a filter turned into its output lines, in order.  Lines wait
// in a block where the command converts many at once, so that the block goes
// through the batch conversions; the block is passed on whenever the input
// would wait and at the end.
class LineConverter {
 public:
  LineConverter(const LineCommand& c, Format format, std::string& out)
      : c_(c), format_(format), out_(out), columns_(csvFieldCount(c)), batched_(c.blockTakes(format)) {}

  // `stays`: whether the line stays valid until the next flush; otherwise
  // it is copied.
  void take(std::string_view line, bool cut, bool stays) {
    ++lines_;
    const bool blank = !cut && isBlankLine(line);
    const bool comment = !cut && !blank && (c_.isComment ? c_.isComment(line) : startsWithHash(line));
    if (!blank && !comment) ++items_;
    if (!batched_) return emit(line, cut, blank || comment, lines_);
    if (stays) {
      pending_.push_back({line, std::string_view::npos, cut, blank || comment, lines_});
    } else {
      pending_.push_back({line, blockText_.size(), cut, blank || comment, lines_});
      blockText_.append(line);
    }
    if (pending_.size() == blockLines) flush();
  }

  // Converts and writes out the lines that wait.
  void flush() {
    if (pending_.empty()) return;
    views_.clear();
    for (const Pending& p : pending_)
      if (!p.passThrough && !p.cut) views_.push_back(textOf(p));
    // A block of items alone is converted straight into the output, unless
    // a line fails: its ERROR line goes in between.
    bool itemsAlone = true;
    for (const Pending& p : pending_) itemsAlone = itemsAlone && !p.passThrough && !p.cut;
    converted_.clear();
    outcomes_.clear();
    const std::size_t start = out_.size();
    convertInParts(itemsAlone ? out_ : converted_);
    if (itemsAlone) {
      if (std::none_of(outcomes_.begin(), outcomes_.end(), [](const LineOutcome& o) { return o.failed; })) {
        pending_.clear();
        blockText_.clear();
        return;
      }
      converted_.assign(out_, start);
      out_.resize(start);
      for (LineOutcome& o : outcomes_) o.end -= start;
    }
    // The outputs of lines in a row that converted lie in a row too.
    std::size_t item = 0, from = 0, to = 0;
    const auto passOn = [&] {
      out_.append(converted_, from, to - from);
      from = to;
    };
    for (const Pending& p : pending_) {
      if (p.passThrough || p.cut) {
        passOn();
        emit(textOf(p), p.cut, p.passThrough, p.number);
        continue;
      }
      const LineOutcome& o = outcomes_[item++];
      if (o.failed) {
        passOn();
        fail(textOf(p), o.failure, p.number);
        out_ += '\n';
      }
      to = o.end;
    }
    passOn();
    pending_.clear();
    blockText_.clear();
  }

  long long lines() const { return lines_; }
  long long items() const { return items_; }
  long long failed() const { return failed_; }
  long long firstFailed() const { return firstFailed_; }

 private:
  static constexpr std::size_t blockLines = 1024;
  // The fewest lines worth a part of their own on another thread.
  static constexpr std::size_t partLines = 256;

  // Converts the items of views_ onto `out` and their outcomes into
  // outcomes_: in parts on as many threads as there are processors, each
  // part into its own text, joined in order.
  void convertInParts(std::string& out) {
    const std::size_t parts = std::min(PartWorkers::processors(), views_.size() / partLines);
    if (parts < 2) return c_.convertBlock(views_, format_, out, outcomes_);
    if (!workers_) workers_.emplace(PartWorkers::processors() - 1);
    const std::size_t count = std::min(parts, workers_->parts());
    partTexts_.resize(count);
    partOutcomes_.resize(count);
    const std::span<const std::string_view> all(views_);
    const auto lineOf = [&](std::size_t i) { return all.size() * i / count; };
    workers_->run(count, [&](std::size_t i) {
      std::string& text = i == 0 ? out : partTexts_[i];
      if (i > 0) text.clear();
      c_.convertBlock(all.subspan(lineOf(i), lineOf(i + 1) - lineOf(i)), format_, text,
                      i == 0 ? outcomes_ : partOutcomes_[i]);
    });
    for (std::size_t i = 1; i < count; ++i) {
      const std::size_t base = out.size();
      out += partTexts_[i];
      for (LineOutcome o : partOutcomes_[i]) {
        o.end += base;
        outcomes_.push_back(std::move(o));
      }
    }
  }

  // A line in the input's block, or copied to blockText_ at `at`.
  struct Pending {
    std::string_view line;
    std::size_t at;
    bool cut, passThrough;
    long long number;
  };
  std::string_view textOf(const Pending& p) const {
    return p.at == std::string_view::npos ? p.line : std::string_view(blockText_).substr(p.at, p.line.size());
  }

  // One line's output, its line feed included.
  void emit(std::string_view line, bool cut, bool passThrough, long long number) {
    if (passThrough) {
      if (format_ == Format::plain)
        out_ += line;
      else if (format_ == Format::csv)
        out_.append(columns_, c_.delimiter);  // a row of empty fields: rows stay aligned with lines
      else if (!isBlankLine(line))
        JsonObject(out_).text("comment", line);
      else
        out_ += "{}";
    } else {
      const std::size_t start = out_.size();
      try {
        if (cut) throw LineError("the line is longer than " + std::to_string(LineInput::maxLineBytes) + " bytes");
        c_.convert(line, format_, out_);
        if (format_ == Format::csv) out_ += c_.delimiter;
      } catch (const LineError& e) {
        out_.resize(start);
        fail(line, e.what(), number);
      } catch (const qv::RuntimeError& e) {
        out_.resize(start);
        fail(line, runtimeErrorText(e), number);
      }
    }
    out_ += '\n';
  }

  void fail(std::string_view line, const std::string& reason, long long number) {
    if (failed_++ == 0) firstFailed_ = number;
    // A reason quotes its line: bytes of it that are no UTF-8 stand escaped
    // (JSON writes them as U+FFFD), so that every output is UTF-8.
    if (format_ == Format::plain) {
      out_ += "ERROR: ";
      out_ += qvrecords::utf8Escaped(reason);
    } else if (format_ == Format::json) {
      JsonObject(out_).text("input", line).text("error", reason);
    } else {
      appendCsvFailure(c_, reason, out_);
    }
  }

  const LineCommand& c_;
  const Format format_;
  std::string& out_;
  const std::size_t columns_;
  const bool batched_;
  std::vector<Pending> pending_;
  std::string blockText_, converted_;
  std::vector<std::string_view> views_;
  std::vector<LineOutcome> outcomes_;
  std::optional<PartWorkers> workers_;  // made at the first block worth parts
  std::vector<std::string> partTexts_;
  std::vector<std::vector<LineOutcome>> partOutcomes_;
  long long lines_ = 0, items_ = 0, failed_ = 0, firstFailed_ = 0;
};

int runFilter(const LineCommand& c, const StreamOptions& s, std::ostream& out, std::ostream& err) {
  FilterStreams f;
  if (const int status = openStreams(c, s, out, err, f)) return status;
  if (!f.input) f.input.emplace(f.inputFd, f.inputName);
  OutputSink& sink = *f.sink;
  LineConverter lines(c, s.format(), sink.buffer);
  f.input->beforeRead = [&] {
    lines.flush();
    sink.flush();
  };
  try {
    if (s.format() == Format::csv) sink.buffer += c.csvHeader + ",error\n";
    std::string_view line;
    bool cut = false;
    while (f.input->next(line, cut)) {
      lines.take(line, cut, f.input->lineStays());
      sink.write();
    }
    lines.flush();
    sink.close();
  } catch (const std::system_error& e) {
    // What was converted before is kept.
    try {
      lines.flush();
      sink.close();
    } catch (const OutputError&) {
    }
    err << "qvcode: " << c.name << ": " << e.what() << " after line " << lines.lines() << '\n';
    return exitInputFailed;
  } catch (const OutputError& e) {
    err << "qvcode: " << e.what() << '\n';
    return exitOutputFailed;
  }
  if (lines.failed() == 0) return exitOk;
  err << "qvcode: " << c.name << ": " << lines.failed() << " of " << lines.items() << ' ' << c.items
      << " failed, the first on line " << lines.firstFailed() << '\n';
  return exitLinesFailed;
}

int writeItem(const LineCommand& c, const StreamOptions& s, std::string_view item, std::ostream& out,
              std::ostream& err) {
  std::string text;
  if (s.format() == Format::csv)
    text.append(c.csvHeader).append(",error\n").append(item).append(",\n");
  else
    text.append(item).append("\n");
  // Standard output is checked once the command has ended, as for every
  // command.
  if (isStandard(s.outputFile)) {
    out << text;
    return exitOk;
  }
  try {
    OutputSink sink(*s.outputFile);
    sink.buffer = std::move(text);
    sink.close();
  } catch (const OutputError& e) {
    err << "qvcode: " << e.what() << '\n';
    return exitOutputFailed;
  }
  return exitOk;
}

}  // namespace qvcode
