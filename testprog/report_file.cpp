// The report file of a sweep: its records in blocks, and every refusal as a run-time error.
#include "report_file.hpp"

#include <cerrno>
#include <filesystem>
#include <system_error>
#include <utility>

#include "number_text.hpp"
#include "runtime_error.hpp"

namespace qvpruef {
namespace {

constexpr std::size_t blockSize = 1 << 16;

std::string reason(int error) { return std::generic_category().message(error); }

}  // namespace

ReportFile::ReportFile(std::string path) : path_(std::move(path)) {
  errno = 0;
  // Binary, so that CR LF reaches the file as written on every platform.
  file_ = std::fopen(path_.c_str(), "wb");
  if (!file_) {
    int error = errno ? errno : EIO;
    // Windows refuses a folder as "Permission denied": say what it is.
    if (std::error_code ec; error == EACCES && std::filesystem::is_directory(path_, ec)) error = EISDIR;
    throw qv::RuntimeError(error == ENOENT || error == ENOTDIR ? qv::ErrorKind::PathNotFound
                                                                : qv::ErrorKind::FileAccess,
                           "Cannot open report file '" + path_ + "': " + reason(error));
  }
  // Our own buffer collects the records; the stream passes blocks straight on.
  std::setvbuf(file_, nullptr, _IONBF, 0);
  buffer_.reserve(blockSize + 256);
}

ReportFile::~ReportFile() {
  if (!file_) return;
  if (!failed_ && !buffer_.empty()) std::fwrite(buffer_.data(), 1, buffer_.size(), file_);
  std::fclose(file_);
}

void ReportFile::writeLine(std::string_view text) {
  buffer_ += '"';
  buffer_ += text;
  buffer_ += "\"\r\n";
  if (buffer_.size() >= blockSize) flush();
}

void ReportFile::flush() {
  if (buffer_.empty()) return;
  errno = 0;
  if (std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size()) fail(errno);
  buffer_.clear();
}

void ReportFile::close() {
  flush();
  std::FILE* f = file_;
  file_ = nullptr;
  errno = 0;
  if (std::fclose(f) != 0) {
    failed_ = true;
    fail(errno);
  }
}

void ReportFile::fail(int error) {
  failed_ = true;
  if (error == 0) error = EIO;
  throw qv::RuntimeError(error == ENOSPC ? qv::ErrorKind::DiskFull : qv::ErrorKind::DeviceIo,
                         "Cannot write report file '" + path_ + "': " + reason(error));
}

std::string closingLine(std::int64_t fallzahl) { return "cases= " + qv::numberText(fallzahl); }

}  // namespace qvpruef
