// Where a command's output goes: its output stream or a file it creates,
// written in blocks, every write checked, so that output that did not arrive
// is never reported as done.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <stdexcept>
#include <string>

#include "fileio/quiet_write_signals.hpp"

namespace qvcode {

// A write that failed; the message names the output and the reason.
class OutputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class OutputSink {
 public:
  // The process's std::cout is written to its file descriptor directly, each
  // block's write checked with its reason; any other stream through itself.
  explicit OutputSink(std::ostream& out);
  // Creates or empties `path`; throws OutputError when it cannot.  A write
  // that fails says how many whole lines reached the file, and a regular
  // file is cut back to the end of the last of them, so that its last line
  // is never cut short.  The file-size limit and a FIFO whose reader left
  // are failed writes here, not the end of the program.
  explicit OutputSink(const std::string& path);
  ~OutputSink();
  OutputSink(const OutputSink&) = delete;
  OutputSink& operator=(const OutputSink&) = delete;

  // What is yet to be written; callers append to it.
  std::string buffer;

  // Writes the buffer once it has grown past a block.
  void write() {
    if (buffer.size() >= blockBytes) flush();
  }
  // Writes the buffer and passes it on (to the file system, the terminal or
  // the pipe).  Throws OutputError.
  void flush();
  // Flushes and, for a file, closes it; throws OutputError.
  void close();

 private:
  static constexpr std::size_t blockBytes = 1 << 16;
  [[noreturn]] void fail(int error);
  // Counts the lines of what a file accepted.
  void accepted(std::string_view written);

  std::ostream* out_ = nullptr;
  int fd_ = -1;
  bool borrowed_ = false;  // standard output: not ours to close
  std::string name_;
  // A file of ours: what reached it, and where its last whole line ends.
  std::optional<qvfileio::QuietWriteSignals> quiet_;
  bool file_ = false, regular_ = false;
  std::int64_t wholeLines_ = 0;
  std::uint64_t bytes_ = 0, wholeBytes_ = 0;
};

}  // namespace qvcode
