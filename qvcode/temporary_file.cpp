// The temporary file beside a replaced file: unnamed, or named after its owner; stale ones removed.
#include "qvcode/temporary_file.hpp"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <climits>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <utility>

namespace qvcode {
namespace {

namespace fs = std::filesystem;

std::system_error failure(const char* call) { return {errno, std::generic_category(), call}; }

std::string hostName() {
  char host[HOST_NAME_MAX + 1] = {};
  if (::gethostname(host, sizeof host - 1) != 0) return "localhost";
  return host;
}

// ".NAME." + "PID@HOST.": what every temporary file of this process for NAME
// begins with.
std::string prefixOf(const std::string& name) { return "." + name + "."; }
std::string ownerText() { return std::to_string(::getpid()) + "@" + hostName() + "."; }

// Whether `file`, a temporary file for NAME (`prefix`), belongs to a process
// of this host that no longer runs.
bool isStale(std::string_view file, const std::string& prefix, const std::string& host) {
  if (!file.starts_with(prefix)) return false;
  file.remove_prefix(prefix.size());
  const std::size_t at = file.find('@'), dot = file.rfind('.');
  if (at == std::string_view::npos || dot == std::string_view::npos || dot < at) return false;
  if (file.substr(at + 1, dot - at - 1) != host) return false;
  const std::string_view counter = file.substr(dot + 1);
  if (counter.empty() || counter.find_first_not_of("0123456789") != std::string_view::npos) return false;
  pid_t pid = 0;
  const auto r = std::from_chars(file.data(), file.data() + at, pid);
  if (r.ec != std::errc() || r.ptr != file.data() + at || pid <= 0) return false;
  return ::kill(pid, 0) != 0 && errno == ESRCH;
}

void removeStale(const std::string& folder, const std::string& name) {
  const std::string prefix = prefixOf(name), host = hostName();
  std::error_code ec;
  for (const fs::directory_entry& e : fs::directory_iterator(folder, ec))
    if (isStale(e.path().filename().string(), prefix, host)) fs::remove(e.path(), ec);
}

}  // namespace

TemporaryFile::TemporaryFile(const std::string& folder, const std::string& name, unsigned mode)
    : folder_(folder), name_(name) {
  removeStale(folder_, name_);
#ifdef O_TMPFILE
  // Naming it later goes through /proc; without it the file is named now.
  if (::access("/proc/self/fd", X_OK) == 0) fd_ = ::open(folder_.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
#endif
  if (fd_ < 0) {
    // The file system has no unnamed files (NFS, for one).
    for (;;) {
      path_ = freshName();
      fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
      if (fd_ >= 0) break;
      if (errno != EEXIST) {
        const std::system_error e = failure("open");
        path_.clear();
        throw e;
      }
    }
  }
  ::fchmod(fd_, static_cast<mode_t>(mode));
}

TemporaryFile::~TemporaryFile() {
  if (fd_ >= 0) ::close(fd_);
  if (!renamed_ && !path_.empty()) ::unlink(path_.c_str());
}

std::string TemporaryFile::freshName() {
  static std::atomic<unsigned long> counter{0};
  return (fs::path(folder_) / (prefixOf(name_) + ownerText() + std::to_string(counter++))).string();
}

void TemporaryFile::link() {
  const std::string self = "/proc/self/fd/" + std::to_string(fd_);
  for (;;) {
    std::string path = freshName();
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0) {
      path_ = std::move(path);
      return;
    }
    if (errno != EEXIST) throw failure("linkat");
  }
}

void TemporaryFile::replace(const std::string& target) {
  if (path_.empty()) link();
  const int fd = std::exchange(fd_, -1);
  if (::close(fd) != 0 && errno != EINTR) throw failure("close");
  if (::rename(path_.c_str(), target.c_str()) != 0) throw failure("rename");
  renamed_ = true;
}

}  // namespace qvcode
