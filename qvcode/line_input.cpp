// Reading a filter's input line by line in blocks.

#include "qvcode/line_input.hpp"

#include <cerrno>
#include <system_error>
#include <unistd.h>

namespace qvcode {
namespace {

constexpr std::size_t blockBytes = 1 << 16;

// The UTF-8 byte order mark that some editors write first in a file: no
// part of its first line.
constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";

}  // namespace

LineInput::LineInput(int fd, std::string name)
    : fd_(fd), name_(std::move(name)), separators_("\n"), block_(blockBytes) {}

LineInput::LineInput(std::string_view text) : separators_(";\n"), pending_(text), ended_(true) {}

bool LineInput::fill() {
  if (ended_) return false;
  if (reads_ && beforeRead) beforeRead();
  reads_ = true;
  for (;;) {
    const ssize_t n = ::read(fd_, block_.data(), block_.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw std::system_error(errno, std::generic_category(), "cannot read " + name_);
    if (n == 0) ended_ = true;
    pending_ = std::string_view(block_.data(), static_cast<std::size_t>(n));
    return n > 0;
  }
}

bool LineInput::next(std::string_view& line, bool& cut) {
  carry_.clear();
  cut = false;
  bool started = false;  // whether any byte of this line has been seen
  bool ended = false;    // whether a separator ended it
  for (;;) {
    const std::size_t end =
        separators_.size() == 1 ? pending_.find(separators_.front()) : pending_.find_first_of(separators_);
    const std::string_view piece = pending_.substr(0, end);
    if (end != std::string_view::npos && carry_.empty() && !cut) {
      line = piece;  // the whole line lies in the block: no copy
    } else {
      const std::size_t room = maxLineBytes - carry_.size();
      carry_.append(piece.substr(0, room));
      if (piece.size() > room) cut = true;
      line = carry_;
    }
    started = started || !piece.empty() || end != std::string_view::npos;
    if (end != std::string_view::npos) {
      pending_.remove_prefix(end + 1);
      ended = true;
      break;
    }
    pending_ = {};
    if (!fill()) {
      if (!started) return false;
      break;
    }
  }
  if (first_) {
    first_ = false;
    if (line.starts_with(byteOrderMark)) {
      line.remove_prefix(byteOrderMark.size());
      // An input of the mark alone is empty.
      if (line.empty() && !ended) return false;
    }
  }
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  stays_ = carry_.empty();
  return true;
}

}  // namespace qvcode
