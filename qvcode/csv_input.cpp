// Reading a delimited table row by row in blocks.

#include "qvcode/csv_input.hpp"

#include <algorithm>
#include <array>
#include <cerrno>
#include <poll.h>
#include <system_error>
#include <unistd.h>

namespace qvcode {
namespace {

constexpr std::size_t npos = std::string_view::npos;
// The buffer holds the rows of many blocks, and the longest row besides
// what one read brings.
constexpr std::size_t bufferBytes = 4 * CsvInput::maxRowBytes;
constexpr std::size_t leastRead = 1 << 16;

constexpr std::string_view markBytes = "\xEF\xBB\xBF";

// Where the row that starts `data` ends (the offset of its line feed), its
// fields' ends into `ends` and the line feeds inside its quotes into
// `feeds`; npos where the data ends first.  `stops` marks the delimiter and
// the line feed.
std::size_t scanRow(const char* data, std::size_t size, const std::array<bool, 256>& stops,
                    std::vector<std::size_t>& ends, long long& feeds) {
  ends.clear();
  feeds = 0;
  std::size_t i = 0;
  const auto stop = [&](std::size_t at) { return stops[static_cast<unsigned char>(data[at])]; };
  for (;;) {
    if (i < size && data[i] == '"') {
      // A quoted field: up to the quote that no second quote follows.
      // Fields are short: a plain loop beats memchr's set-up.
      ++i;
      for (;;) {
        for (; i < size && data[i] != '"'; ++i) feeds += data[i] == '\n';
        if (++i >= size) return npos;  // a doubled quote may follow
        if (data[i] != '"') break;
        ++i;
      }
    }
    while (i < size && !stop(i)) ++i;
    if (i == size) return npos;
    ends.push_back(i);
    if (data[i] == '\n') return i;
    ++i;
  }
}

}  // namespace

std::string csvFieldValue(std::string_view written) {
  if (!written.starts_with('"')) return std::string(written);
  std::string value;
  std::size_t i = 1;
  for (; i < written.size(); ++i) {
    if (written[i] == '"') {
      if (i + 1 < written.size() && written[i + 1] == '"') {
        ++i;
      } else {
        ++i;
        break;
      }
    }
    value += written[i];
  }
  value.append(written.substr(std::min(i, written.size())));
  return value;
}

char guessDelimiter(std::string_view firstLine) {
  constexpr std::array<char, 4> candidates = {',', '\t', ';', '|'};
  std::array<std::size_t, 4> counts{};
  bool quoted = false;
  for (const char c : firstLine) {
    if (c == '"') quoted = !quoted;
    if (quoted) continue;
    for (std::size_t k = 0; k < candidates.size(); ++k) counts[k] += c == candidates[k];
  }
  const auto most = std::max_element(counts.begin(), counts.end());  // the first of equals
  return *most == 0 ? ',' : candidates[static_cast<std::size_t>(most - counts.begin())];
}

CsvInput::CsvInput(int fd, std::string name) : fd_(fd), name_(std::move(name)), buffer_(bufferBytes) {
  setDelimiter(',');
}

CsvInput::CsvInput(std::string_view text) : buffer_(text.begin(), text.end()), end_(text.size()), ended_(true) {
  buffer_.push_back('\0');  // room for the line feed a last row lacks
  setDelimiter(',');
}

void CsvInput::setDelimiter(char delimiter) {
  stops_.fill(false);
  stops_[static_cast<unsigned char>(delimiter)] = true;
  stops_['\n'] = true;
}

bool CsvInput::read() {
  if (ended_) return false;
  if (buffer_.size() - end_ < leastRead) makeRoom();
  return readOnce();
}

bool CsvInput::readOnce() {
  for (;;) {
    const ssize_t n = ::read(fd_, buffer_.data() + end_, buffer_.size() - end_ - 1);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw std::system_error(errno, std::generic_category(), "cannot read " + name_);
    if (n == 0) ended_ = true;
    end_ += static_cast<std::size_t>(n);
    return n > 0;
  }
}

std::string_view CsvInput::fill() {
  skipMark();
  makeRoom();
  // A file is read until the buffer is full; a pipe or a terminal as far
  // as it has bytes ready, so that rows typed are answered at once.
  while (!ended_ && buffer_.size() - end_ > 1 && readOnce()) {
    pollfd ready{fd_, POLLIN, 0};
    if (::poll(&ready, 1, 0) == 0) break;
  }
  if (ended_ && begin_ < end_ && !closedLast_ && buffer_[end_ - 1] != '\n') {
    buffer_[end_++] = '\n';  // the byte that every read leaves free
    closedLast_ = true;
  }
  return held();
}

void CsvInput::consume(std::size_t bytes, long long lines) {
  begin_ += bytes;
  line_ += lines;
}

CsvInputError CsvInput::tooLong(long long line) {
  return CsvInputError("the row that starts on line " + std::to_string(line) + " is longer than " +
                       std::to_string(maxRowBytes >> 20) + " MiB: is a quote never closed?");
}

CsvInputError CsvInput::neverClosed(long long line) {
  return CsvInputError("a quoted field of the row that starts on line " + std::to_string(line) + " is never closed");
}

void CsvInput::makeRoom() {
  std::copy(buffer_.begin() + static_cast<std::ptrdiff_t>(begin_), buffer_.begin() + static_cast<std::ptrdiff_t>(end_),
            buffer_.begin());
  end_ -= begin_;
  begin_ = 0;
}

void CsvInput::skipMark() {
  if (markChecked_) return;
  while (end_ - begin_ < markBytes.size() && read()) {
  }
  markChecked_ = true;
  if (std::string_view(buffer_.data() + begin_, end_ - begin_).starts_with(markBytes)) {
    begin_ += markBytes.size();
    bom_ = true;
  }
}

std::string_view CsvInput::firstLine() {
  skipMark();
  for (;;) {
    const std::string_view held(buffer_.data() + begin_, end_ - begin_);
    const std::size_t feed = held.find('\n');
    if (feed != npos || held.size() >= maxRowBytes || !read()) {
      std::string_view line = held.substr(0, std::min({feed, held.size(), maxRowBytes}));
      if (line.ends_with('\r')) line.remove_suffix(1);
      return line;
    }
  }
}

RowSpan CsvInput::rowAt(std::size_t at, TableRow& row) const {
  RowSpan span;
  const char* start = buffer_.data() + begin_ + at;
  const std::size_t size = end_ - begin_ - at;
  const std::size_t feed = scanRow(start, size, stops_, row.fieldEnds, span.feeds);
  if ((feed == npos ? size : feed) > maxRowBytes) {
    span.scan = RowScan::tooLong;
    return span;
  }
  if (feed == npos) return span;
  const bool added = closedLast_ && feed + 1 == size;
  std::size_t textEnd = feed;
  if (feed > 0 && start[feed - 1] == '\r') {
    --textEnd;
    row.fieldEnds.back() = textEnd;
  }
  row.text = std::string_view(start, textEnd);
  row.lineEnd = std::string_view(start + textEnd, feed - textEnd + (added ? 0 : 1));
  span.scan = RowScan::whole;
  span.bytes = feed + 1;
  return span;
}

bool CsvInput::next(TableRow& row) {
  skipMark();
  for (;;) {
    const RowSpan span = rowAt(0, row);
    if (span.scan == RowScan::tooLong) throw tooLong(line_);
    if (span.scan == RowScan::whole) {
      row.line = line_;
      consume(span.bytes, 1 + span.feeds);
      return true;
    }
    if (read()) continue;
    if (begin_ == end_) return false;
    if (closedLast_) throw neverClosed(line_);
    // A last row without its line feed is a row.
    buffer_[end_++] = '\n';  // the byte that every read leaves free
    closedLast_ = true;
  }
}

}  // namespace qvcode
