// Checked, block-wise output to a stream or a file.

#include "qvcode/output_sink.hpp"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <iostream>
#include <sys/stat.h>
#include <unistd.h>

namespace qvcode {

OutputSink::OutputSink(std::ostream& out) : name_("the output") {
  if (&out != &std::cout) {
    out_ = &out;
    return;
  }
  // Whatever the stream holds goes first.
  out.flush();
  fd_ = STDOUT_FILENO;
  borrowed_ = true;
}

OutputSink::OutputSink(const std::string& path) : name_("'" + path + "'") {
  quiet_.emplace();
  fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd_ < 0) throw OutputError("cannot create " + name_ + ": " + std::strerror(errno));
  struct stat st {};
  file_ = true;
  regular_ = ::fstat(fd_, &st) == 0 && S_ISREG(st.st_mode);
}

OutputSink::~OutputSink() {
  if (fd_ >= 0 && !borrowed_) ::close(fd_);
}

void OutputSink::fail(int error) {
  std::string message = "cannot write " + name_;
  if (file_) {
    message += " after " + std::to_string(wholeLines_) + (wholeLines_ == 1 ? " whole line" : " whole lines");
    std::string cut;
    if (regular_ && bytes_ != wholeBytes_ && fd_ >= 0 && ::ftruncate(fd_, static_cast<off_t>(wholeBytes_)) != 0)
      cut = std::string("; the start of the next could not be cut off: ") + std::strerror(errno);
    if (error != 0) message += std::string(": ") + std::strerror(error);
    throw OutputError(message + cut);
  }
  if (error != 0) message += std::string(": ") + std::strerror(error);
  throw OutputError(message);
}

void OutputSink::accepted(std::string_view written) {
  wholeLines_ += std::count(written.begin(), written.end(), '\n');
  if (const std::size_t last = written.rfind('\n'); last != std::string_view::npos) wholeBytes_ = bytes_ + last + 1;
  bytes_ += written.size();
}

void OutputSink::flush() {
  if (out_) {
    errno = 0;
    out_->write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    out_->flush();
    if (!*out_) fail(errno);
    buffer.clear();
    return;
  }
  std::string_view rest = buffer;
  while (!rest.empty()) {
    const ssize_t n = ::write(fd_, rest.data(), rest.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) fail(errno);
    if (file_) accepted(rest.substr(0, static_cast<std::size_t>(n)));
    rest.remove_prefix(static_cast<std::size_t>(n));
  }
  buffer.clear();
}

void OutputSink::close() {
  flush();
  if (fd_ < 0 || borrowed_) return;
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) fail(errno);
}

}  // namespace qvcode
