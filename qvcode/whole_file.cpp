// Writing a file whole or not at all, through a temporary file and a rename.
#include "qvcode/whole_file.hpp"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>
#include <utility>

#include "qvcode/stop_signals.hpp"

namespace qvcode {
namespace {

constexpr std::size_t blockSize = 1 << 16;

std::string reason(int error) { return std::generic_category().message(error); }

}  // namespace

std::string resolvedPath(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::path p = fs::absolute(path, ec);
  for (int hops = 0; hops < 40 && fs::is_symlink(p, ec); ++hops) {
    const fs::path to = fs::read_symlink(p, ec);
    if (ec) break;
    p = to.is_absolute() ? to : p.parent_path() / to;
  }
  return fs::weakly_canonical(p, ec).string();
}

WholeFile::WholeFile(std::string path, std::function<int()> stopSignal)
    : path_(std::move(path)), stopSignal_(std::move(stopSignal)) {
  namespace fs = std::filesystem;
  std::error_code ec;
  target_ = fs::is_symlink(path_, ec) ? resolvedPath(path_) : path_;
  struct stat st {};
  const bool exists = ::stat(target_.c_str(), &st) == 0;
  if (exists && S_ISDIR(st.st_mode)) fail("it is a folder", EISDIR);
  if (exists && !S_ISREG(st.st_mode)) {
    // Without blocking, so that a stop is seen however it falls: a FIFO
    // without a reader is asked again until one comes.
    while ((fd_ = ::open(target_.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK)) < 0) {
      if (errno != ENXIO && errno != EINTR) fail("", errno);
      checkStop();
      ::poll(nullptr, 0, 50);
    }
    return;
  }
  if (exists) {
    lockFd_ = ::open(target_.c_str(), O_RDONLY | O_CLOEXEC);
    if (lockFd_ >= 0 && ::flock(lockFd_, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK)
      throw WholeFileError("cannot write '" + path_ + "': another sweep or merge is writing it");
  }
  const fs::path t(target_);
  const fs::path folder = t.has_parent_path() ? t.parent_path() : fs::path(".");
  // The mode a new file would get, or the one the old file had.
  mode_t mode = 0666;
  if (exists) {
    mode = st.st_mode & 07777;
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode &= ~mask;
  }
  try {
    temporary_.emplace(folder.string(), t.filename().string(), mode);
  } catch (const std::system_error& e) {
    fail("", e.code().value());
  }
  fd_ = temporary_->fd();
  buffer_.reserve(blockSize);
}

WholeFile::~WholeFile() {
  if (fd_ >= 0 && !temporary_) ::close(fd_);
  if (lockFd_ >= 0) ::close(lockFd_);
}

void WholeFile::checkStop() {
  if (const int s = stopSignal_ ? stopSignal_() : 0; s != 0)
    throw WholeFileError("stopped writing '" + path_ + "': " + StopSignals::reason(s) + "; it is as it was");
}

void WholeFile::fail(const std::string& what, int error) {
  std::string message = "cannot write '" + path_ + "': " + (what.empty() ? reason(error) : what);
  if (temporary_) message += "; it is as it was";
  throw WholeFileError(message);
}

void WholeFile::write(std::string_view bytes) {
  buffer_ += bytes;
  if (buffer_.size() >= blockSize) flush();
}

void WholeFile::flush() {
  std::size_t done = 0;
  while (done < buffer_.size()) {
    checkStop();
    const ssize_t n = ::write(fd_, buffer_.data() + done, buffer_.size() - done);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else if (n < 0 && errno == EAGAIN) {
      // A FIFO that is full: wait a while for its reader, then look again.
      pollfd p{fd_, POLLOUT, 0};
      ::poll(&p, 1, 100);
    } else {
      fail("", n < 0 ? errno : EIO);
    }
  }
  buffer_.clear();
}

void WholeFile::commit() {
  flush();
  if (!temporary_) {
    const int fd = std::exchange(fd_, -1);
    if (::close(fd) != 0 && errno != EINTR) fail("", errno);
    return;
  }
  if (::fsync(fd_) != 0) fail("", errno);
  checkStop();
  try {
    temporary_->replace(target_);
  } catch (const std::system_error& e) {
    fail("", e.code().value());
  }
}

}  // namespace qvcode
