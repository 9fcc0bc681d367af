// Checked, block-wise output to a stream or a file.

#include "qvcode/output_sink.hpp"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <iostream>
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
  fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd_ < 0) throw OutputError("cannot create " + name_ + ": " + std::strerror(errno));
}

OutputSink::~OutputSink() {
  if (fd_ >= 0 && !borrowed_) ::close(fd_);
}

void OutputSink::fail(int error) {
  std::string message = "cannot write " + name_;
  if (error != 0) message += std::string(": ") + std::strerror(error);
  throw OutputError(message);
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
