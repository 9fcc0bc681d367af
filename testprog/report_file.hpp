#pragma once
// The report file of one sweep.  Every record is the line's text in double
// quotes followed by CR LF.  Records are collected in a buffer and handed to
// the file system in large blocks; the first block it refuses raises at once,
// so a sweep never goes on after losing a line.

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace qvpruef {

class ReportFile {
 public:
  // Creates the file or empties an existing one.  Raises a file error
  // ("Cannot open report file '/nope/x.txt': No such file or directory").
  explicit ReportFile(std::string path);
  // Closes what was written if close() was not reached (a stopped sweep);
  // raises nothing.
  ~ReportFile();
  ReportFile(const ReportFile&) = delete;
  ReportFile& operator=(const ReportFile&) = delete;

  void writeLine(std::string_view text);
  // Hands over the rest and closes; raises if the file system refused it.
  void close();

  const std::string& path() const noexcept { return path_; }

 private:
  void flush();
  [[noreturn]] void fail(int error);

  std::string path_;
  std::FILE* file_ = nullptr;
  std::string buffer_;
  bool failed_ = false;
};

// The closing line's text: "cases= " and the number text of the count, so
// two blanks before a count ("cases=  256683").
std::string closingLine(std::int64_t fallzahl);

}  // namespace qvpruef
