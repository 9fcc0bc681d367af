// The report file of one sweep, its records framed as report_format.hpp
// says.  Records are collected in a buffer and handed to the file system in
// large blocks; the first block it refuses raises at once, so a sweep never
// goes on after losing a line, and the file is cut back to its last whole
// record, so that every line a reader finds is whole.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "fileio/quiet_write_signals.hpp"

namespace qvsweep {

// A sweep that was asked to stop, before a case or inside a blocked open or
// write of its report.
class Interrupted : public std::runtime_error {
 public:
  Interrupted() : std::runtime_error("Interrupted") {}
};

class ReportFile {
 public:
  // Creates the file or empties an existing one.  Raises a file error
  // ("Cannot open report file '/nope/x.txt': No such file or directory").
  // An open or a write that blocks (a FIFO without reader, or one that does
  // not read) and is broken off by a signal raises Interrupted when
  // `stopRequested` answers true, and goes on otherwise.
  explicit ReportFile(std::string path, std::function<bool()> stopRequested = {});
  // Closes the file if close() was not reached, writing nothing more.
  ~ReportFile();
  ReportFile(const ReportFile&) = delete;
  ReportFile& operator=(const ReportFile&) = delete;

  // The record of the line `text`.
  void writeLine(std::string_view text);
  // Whole records, framed, as writeLine would write them one by one: those of `records` from `from` to the last of
  // `ends` (where each ends in `records`), for a run whose last record at most fills the block.
  void writeRecords(std::string_view records, std::size_t from, std::span<const std::uint32_t> ends);
  // How many more bytes the block takes before it is handed over.
  std::size_t untilHandOver() const noexcept { return blockSize - buffer_.size(); }
  // Hands over the rest and closes; raises if the file system refused it.
  // After a refusal it only closes.
  void close();

  // Whether a write was refused or broken off: the file takes no more.
  bool refused() const noexcept { return refused_; }
  // What the file holds after a sweep that stopped, for its message: "the
  // report file 'r.txt' holds 301 whole records and no closing line" (a
  // device or a FIFO "was handed" them).
  std::string contents() const;

  const std::string& path() const noexcept { return path_; }

 private:
  static constexpr std::size_t blockSize = 1 << 16;

  void flush();
  bool stopRequested() const { return stopRequested_ && stopRequested_(); }
  // Counts the bytes and whole records of the buffer that reached the file:
  // its first `done` bytes, written from the file's size `base` on.
  void accepted(std::uint64_t base, std::size_t done);
  // Gives up writing: cuts a record that reached the file in part.
  void giveUp();
  [[noreturn]] void fail(int error);

  qvfileio::QuietWriteSignals quiet_;
  std::string path_;
  std::function<bool()> stopRequested_;
  int fd_ = -1;
  bool regular_ = true;
  std::string buffer_;
  std::vector<std::size_t> recordEnds_;  // ends of the buffer's records
  std::size_t endsAccepted_ = 0;         // how many of them reached the file
  std::int64_t wholeRecords_ = 0;        // records in the file, each whole
  std::uint64_t wholeBytes_ = 0;         // their bytes
  std::uint64_t bytes_ = 0;              // bytes in the file
  bool refused_ = false;
  int cutError_ = 0;    // why a part of a record could not be cut off
  int closeError_ = 0;  // why closing failed
};

}  // namespace qvsweep
