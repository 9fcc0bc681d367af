// The report file of a sweep: buffered whole records, every write and the
// close checked, a refused write cut back to the last whole record.

#include "sweep/detail/report_file.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>
#include <share.h>
#else
#include <sys/file.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <filesystem>
#include <system_error>
#include <utility>

#include "conversion/runtime_error.hpp"
#include "sweep/report_format.hpp"

namespace qvsweep {
namespace {

// The file calls, binary so that CR LF reaches the file as written; each
// answers -1 with errno on failure.
// Opening takes the report for this sweep alone: a second sweep (or a merge)
// writing the same file at once is refused, so that no two interleave their
// records.  Windows shares the file with readers only; elsewhere an advisory
// lock is taken before the file is emptied, so that a refused second sweep
// has destroyed nothing.
#ifdef _WIN32
int openFile(const std::string& path) {
  int fd = -1;
  const errno_t error = _sopen_s(&fd, path.c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY | _O_NOINHERIT,
                                 _SH_DENYWR, _S_IREAD | _S_IWRITE);
  if (error != 0) errno = error;
  return error == 0 ? fd : -1;
}
long long writeFile(int fd, const char* data, std::size_t size) {
  return _write(fd, data, static_cast<unsigned>(size));  // a block is far below 4 GiB
}
int cutFile(int fd, std::uint64_t size) {
  const errno_t error = _chsize_s(fd, static_cast<long long>(size));
  if (error != 0) errno = error;
  return error == 0 ? 0 : -1;
}
int closeFile(int fd) { return _close(fd); }
#else
int openFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) return fd;
  // Only a regular file is locked: a device or a FIFO keeps no records to
  // interleave, and its lock would be shared by every writer of the system
  // (two sweeps into /dev/null at once).  A file system without locks is
  // written without one; only a lock held by another writer refuses.
  struct stat st {};
  const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  if (regular && ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
    ::close(fd);
    errno = EBUSY;
    return -1;
  }
  if (regular && ::ftruncate(fd, 0) != 0) {
    const int error = errno;
    ::close(fd);
    errno = error;
    return -1;
  }
  return fd;
}
long long writeFile(int fd, const char* data, std::size_t size) { return ::write(fd, data, size); }
int cutFile(int fd, std::uint64_t size) { return ::ftruncate(fd, static_cast<off_t>(size)); }
int closeFile(int fd) { return ::close(fd); }
#endif

bool isDiskFull(int error) {
#ifdef EDQUOT
  if (error == EDQUOT) return true;
#endif
  return error == ENOSPC;
}

std::string reason(int error) { return std::generic_category().message(error); }

std::string records(std::int64_t n) { return std::to_string(n) + (n == 1 ? " whole record" : " whole records"); }

}  // namespace

ReportFile::ReportFile(std::string path, std::function<bool()> stopRequested)
    : path_(std::move(path)), stopRequested_(std::move(stopRequested)) {
  for (;;) {
    fd_ = openFile(path_);
    if (fd_ >= 0) break;
    int error = errno ? errno : EIO;
    if (error == EINTR) {
      if (this->stopRequested()) throw Interrupted();
      continue;
    }
    // Windows refuses a folder as "Permission denied": say what it is.
    if (std::error_code ec; error == EACCES && std::filesystem::is_directory(path_, ec)) error = EISDIR;
    if (error == EBUSY)
      throw qv::RuntimeError(qv::ErrorKind::FileAccess,
                             "Cannot open report file '" + path_ + "': another sweep or merge is writing it");
    throw qv::RuntimeError(
        error == ENOENT || error == ENOTDIR ? qv::ErrorKind::PathNotFound : qv::ErrorKind::FileAccess,
        "Cannot open report file '" + path_ + "': " + reason(error));
  }
  struct stat st {};
  regular_ = ::fstat(fd_, &st) == 0 && S_ISREG(st.st_mode);
  buffer_.reserve(blockSize + 256);
}

ReportFile::~ReportFile() {
  if (fd_ >= 0) closeFile(fd_);
}

void ReportFile::writeLine(std::string_view text) {
  appendRecord(buffer_, text);
  recordEnds_.push_back(buffer_.size());
  if (buffer_.size() >= blockSize) flush();
}

void ReportFile::writeRecords(std::string_view records, std::size_t from, std::span<const std::uint32_t> ends) {
  if (ends.empty()) return;
  const std::size_t start = buffer_.size();
  buffer_.append(records, from, ends.back() - from);
  for (const std::uint32_t end : ends) recordEnds_.push_back(start + (end - from));
  if (buffer_.size() >= blockSize) flush();
}

void ReportFile::flush() {
  const std::uint64_t base = bytes_;
  std::size_t done = 0;
  while (done < buffer_.size()) {
    const long long n = writeFile(fd_, buffer_.data() + done, buffer_.size() - done);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
      accepted(base, done);
      // A write that blocked and was broken off by a signal hands over
      // part of the block.
      if (done < buffer_.size() && stopRequested()) {
        giveUp();
        throw Interrupted();
      }
      continue;
    }
    const int error = n < 0 ? errno : EIO;
    if (error == EINTR) {
      if (!stopRequested()) continue;
      giveUp();
      throw Interrupted();
    }
    fail(error);
  }
  buffer_.clear();
  recordEnds_.clear();
  endsAccepted_ = 0;
}

void ReportFile::accepted(std::uint64_t base, std::size_t done) {
  bytes_ = base + done;
  while (endsAccepted_ < recordEnds_.size() && recordEnds_[endsAccepted_] <= done) {
    wholeBytes_ = base + recordEnds_[endsAccepted_];
    ++endsAccepted_;
    ++wholeRecords_;
  }
}

void ReportFile::giveUp() {
  refused_ = true;
  if (bytes_ == wholeBytes_ || !regular_) return;
  if (cutFile(fd_, wholeBytes_) == 0)
    bytes_ = wholeBytes_;
  else
    cutError_ = errno;
}

void ReportFile::fail(int error) {
  giveUp();
  throw qv::RuntimeError(isDiskFull(error) ? qv::ErrorKind::DiskFull : qv::ErrorKind::DeviceIo,
                         "Cannot write report file '" + path_ + "': " + reason(error));
}

void ReportFile::close() {
  if (fd_ < 0) return;
  if (!refused_) flush();
  const int fd = std::exchange(fd_, -1);
  // After an interrupted close the descriptor is gone all the same, and
  // what was written has reached the system.
  if (closeFile(fd) != 0 && errno != EINTR) {
    closeError_ = errno;
    refused_ = true;
    throw qv::RuntimeError(qv::ErrorKind::DeviceIo, "Cannot close report file '" + path_ + "': " + reason(closeError_));
  }
}

std::string ReportFile::contents() const {
  const std::string file = "the report file '" + path_ + "'";
  if (closeError_) return file + " may lack lines written to it, since closing it failed";
  // A device or a FIFO keeps nothing: it was handed the records.
  std::string held = file + (regular_ ? " holds " : " was handed ") + records(wholeRecords_);
  if (bytes_ != wholeBytes_) {
    held += ", then the start of another";
    if (cutError_) held += " that could not be cut off (" + reason(cutError_) + ")";
    held += ',';
  }
  return held + " and no closing line";
}

}  // namespace qvsweep
