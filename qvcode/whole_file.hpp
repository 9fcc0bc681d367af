// A file that takes its new contents whole or not at all: a merged report, a sweep's map.
#pragma once
//
// The bytes go to a temporary file beside the target, which commit() flushes
// to the disk and renames over it; a failure, a stop or a crash before then
// leaves the target as it was, and the temporary file is removed (by the
// next writer of the target where the process was killed outright: see
// temporary_file.hpp).  A link is
// followed, so that the file it names gets the contents and the link stays.
// A target that is no regular file (a FIFO, a device) is written in place:
// there is nothing to keep.  An existing target that another sweep or merge
// is writing (it holds the report's lock) is refused.

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "qvcode/temporary_file.hpp"
#include "fileio/quiet_write_signals.hpp"

namespace qvcode {

// Why the file could not be written; the message names it ("cannot write
// 'm.png': No space left on device").
class WholeFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The file a path names, links followed even where the last one leads to no
// file yet, made absolute and normal: two paths of one file give one text.
std::string resolvedPath(const std::string& path);

class WholeFile {
 public:
  // `stopSignal` answers the signal that asks to stop, or 0: asked between
  // blocks and when one breaks off a blocked open or write, it stops the
  // writing with a WholeFileError that names the signal.
  WholeFile(std::string path, std::function<int()> stopSignal);
  ~WholeFile();
  WholeFile(const WholeFile&) = delete;
  WholeFile& operator=(const WholeFile&) = delete;

  void write(std::string_view bytes);
  // The contents in place; raises WholeFileError.
  void commit();

  const std::string& path() const noexcept { return path_; }

 private:
  void flush();
  [[noreturn]] void fail(const std::string& what, int error);
  void checkStop();

  qvfileio::QuietWriteSignals quiet_;
  std::string path_;                        // as given, for messages
  std::string target_;                      // the file written: the link's target
  std::optional<TemporaryFile> temporary_;  // none when written in place
  std::function<int()> stopSignal_;
  int fd_ = -1;  // the temporary file's, or the target's
  int lockFd_ = -1;
  std::string buffer_;
};

}  // namespace qvcode
