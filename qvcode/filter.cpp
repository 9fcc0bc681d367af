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
#include "conversion/runtime_error.hpp"

namespace qvcode {
namespace {

bool isBlankLine(std::string_view line) { return line.find_first_not_of(" \t") == std::string_view::npos; }

bool isStandard(const std::optional<std::string>& file) { return !file || *file == "-"; }

// An input file descriptor that this command opened, closed at the end.
struct OwnedFd {
  int fd = -1;
  ~OwnedFd() {
    if (fd >= 0) ::close(fd);
  }
};

// Whether writing `path` would empty the file that `fd` reads.
bool sameFile(int fd, const std::string& path) {
  struct stat in{}, out{};
  return ::fstat(fd, &in) == 0 && ::stat(path.c_str(), &out) == 0 && S_ISREG(in.st_mode) &&
         in.st_dev == out.st_dev && in.st_ino == out.st_ino;
}

// Whether the open `output` writes the regular file that `input` reads: a
// filter appending to its own input would grow it without end.
bool sameFile(int input, int output) {
  struct stat in{}, out{};
  return ::fstat(input, &in) == 0 && ::fstat(output, &out) == 0 && S_ISREG(in.st_mode) &&
         in.st_dev == out.st_dev && in.st_ino == out.st_ino;
}

}  // namespace

bool startsWithHash(std::string_view line) {
  const std::size_t i = line.find_first_not_of(" \t");
  return i != std::string_view::npos && line[i] == '#';
}

void declareStreamOptions(std::vector<Option>& options, StreamOptions& s) {
  const auto keep = [](std::optional<std::string>& to) {
    return [&to](std::string_view v) -> Problem {
      to = std::string(v);
      return {};
    };
  };
  options.push_back(flag("--json", s.json));
  options.push_back(flag("--csv", s.csv));
  options.push_back(withValue("--input-file", keep(s.inputFile), "needs a file name"));
  options.push_back(withValue("--input-string", keep(s.inputString), "needs the lines, separated by ';'"));
  options.push_back(withValue("--output-file", keep(s.outputFile), "needs a file name"));
}

Problem streamOptionsProblem(const StreamOptions& s, bool itemsGiven) {
  if (s.json && s.csv) return "--json and --csv exclude each other";
  if (s.inputFile && s.inputString) return "--input-file and --input-string exclude each other";
  if (s.inputGiven() && itemsGiven) return "an item on the command line and --input-file or --input-string exclude each other";
  return {};
}

std::string csvHeaderOf(const std::function<void(Record&)>& fill) {
  std::string header;
  CsvHeader h(header);
  fill(h);
  return header;
}

int runFilter(const LineCommand& c, const StreamOptions& s, std::ostream& out, std::ostream& err) {
  const auto stop = [&](int status, const std::string& message) {
    err << "qvcode: " << c.name << ": " << message << '\n';
    return status;
  };
  // As every command says it.
  const auto outputFailed = [&](const OutputError& e) {
    err << "qvcode: " << e.what() << '\n';
    return exitOutputFailed;
  };

  OwnedFd file;
  std::optional<LineInput> input;
  if (s.inputString) {
    input.emplace(*s.inputString);
  } else if (isStandard(s.inputFile)) {
    input.emplace(STDIN_FILENO, "standard input");
  } else {
    file.fd = ::open(s.inputFile->c_str(), O_RDONLY | O_CLOEXEC);
    if (file.fd < 0) return stop(exitInputFailed, "cannot open '" + *s.inputFile + "': " + std::strerror(errno));
    input.emplace(file.fd, "'" + *s.inputFile + "'");
  }
  const int inputFd = s.inputString ? -1 : isStandard(s.inputFile) ? STDIN_FILENO : file.fd;
  const std::string inputName = inputFd == STDIN_FILENO ? "the file standard input reads" : "the input file";
  if (inputFd >= 0 && !isStandard(s.outputFile) && sameFile(inputFd, *s.outputFile))
    return stop(exitUsage, "the output file '" + *s.outputFile + "' is " + inputName +
                               "; writing it would destroy its lines");
  if (inputFd >= 0 && isStandard(s.outputFile) && sameFile(inputFd, STDOUT_FILENO))
    return stop(exitUsage, "standard output writes " + inputName +
                               "; that would destroy its lines or grow it without end");

  std::optional<OutputSink> sink;
  try {
    isStandard(s.outputFile) ? sink.emplace(out) : sink.emplace(*s.outputFile);
  } catch (const OutputError& e) {
    return outputFailed(e);
  }
  input->beforeRead = [&sink] { sink->flush(); };
  if (inputFd == STDIN_FILENO && isatty(STDIN_FILENO) && isatty(STDERR_FILENO))
    err << "qvcode: " << c.name << ": reading " << c.items << " from the terminal, one a line; Ctrl-D ends\n";

  const Format format = s.format();
  const std::size_t columns = static_cast<std::size_t>(std::count(c.csvHeader.begin(), c.csvHeader.end(), ',')) + 1;
  std::string& o = sink->buffer;
  long long lines = 0, items = 0, failed = 0, firstFailed = 0;
  const auto fail = [&](std::string_view line, const std::string& reason) {
    if (failed++ == 0) firstFailed = lines;
    if (format == Format::plain) {
      o += "ERROR: ";
      o += reason;
    } else if (format == Format::json) {
      JsonObject(o).text("input", line).text("error", reason);
    } else {
      o.append(columns, ',');
      appendCsvField(o, reason);
    }
  };

  try {
    if (format == Format::csv) o += c.csvHeader + ",error\n";
    std::string_view line;
    bool cut = false;
    while (input->next(line, cut)) {
      ++lines;
      const bool blank = !cut && isBlankLine(line);
      const bool comment = !cut && !blank && (c.isComment ? c.isComment(line) : startsWithHash(line));
      if (blank || comment) {
        if (format != Format::json)
          o += line;
        else if (comment)
          JsonObject(o).text("comment", line);
        else
          o += "{}";
      } else {
        ++items;
        const std::size_t start = o.size();
        try {
          if (cut) throw LineError("the line is longer than " + std::to_string(LineInput::maxLineBytes) + " bytes");
          c.convert(line, format, o);
          if (format == Format::csv) o += ',';
        } catch (const LineError& e) {
          o.resize(start);
          fail(line, e.what());
        } catch (const qv::RuntimeError& e) {
          o.resize(start);
          fail(line, runtimeErrorText(e));
        }
      }
      o += '\n';
      sink->write();
    }
    sink->close();
  } catch (const std::system_error& e) {
    // What was converted before is kept.
    try {
      sink->close();
    } catch (const OutputError&) {
    }
    return stop(exitInputFailed, std::string(e.what()) + " after line " + std::to_string(lines));
  } catch (const OutputError& e) {
    return outputFailed(e);
  }
  if (failed == 0) return exitOk;
  err << "qvcode: " << c.name << ": " << failed << " of " << items << ' ' << c.items
      << " failed, the first on line " << firstFailed << '\n';
  return exitLinesFailed;
}

int writeItem(const LineCommand& c, const StreamOptions& s, std::string_view item, std::ostream& out,
              std::ostream& err) {
  std::string text;
  if (s.format() == Format::csv) text.append(c.csvHeader).append(",error\n").append(item).append(",\n");
  else text.append(item).append("\n");
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
