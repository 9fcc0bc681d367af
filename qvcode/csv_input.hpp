// The rows of a delimited table (RFC 4180 CSV, TSV), read in blocks from a
// file descriptor: memory stays bounded whatever the size of the table, and
// a row is handed on with its fields found, as written, byte for byte.
#pragma once

#include <array>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace qvcode {

// A table that cannot be read as one: a quote never closed, a row too long.
// The message names the line.
class CsvInputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// One row of a table.  A field is quoted when it starts with '"'; inside
// its quotes it may hold the delimiter, line breaks and doubled quotes.  A
// quote elsewhere, or text after a closing quote, is taken as it stands, as
// common readers take it.
struct TableRow {
  std::string_view text;               // the row as written, without its line end
  std::string_view lineEnd;            // "\n", "\r\n", or "" for a last row without one
  long long line = 0;                  // the input's line where the row starts, from 1
  std::vector<std::size_t> fieldEnds;  // where each field ends in `text`; the next starts one byte later

  std::size_t fields() const { return fieldEnds.size(); }
  // Field `i` as written, quotes and all.
  std::string_view field(std::size_t i) const {
    const std::size_t from = i == 0 ? 0 : fieldEnds[i - 1] + 1;
    return text.substr(from, fieldEnds[i] - from);
  }
};

// The value of a field as written: a quoted one without its quotes and with
// its doubled quotes single (text after the closing quote kept).
std::string csvFieldValue(std::string_view written);

// What a row that starts in the held bytes comes to: it ends there, it runs
// on past them (its end is yet to be read), or it is longer than the limit.
enum class RowScan { whole, unended, tooLong };

// The row found at a place in the held bytes: how it came out, and the
// bytes (its line feed included) and the line feeds (those inside its
// quotes) that it takes when whole.
struct RowSpan {
  RowScan scan = RowScan::unended;
  std::size_t bytes = 0;
  long long feeds = 0;
};

// The delimiter that a table's first line suggests: the commonest of ',',
// tab, ';' and '|' outside quotes (in that order on a tie); ',' when none
// stands there.
char guessDelimiter(std::string_view firstLine);

class CsvInput {
 public:
  // A row longer than this is refused: it is most likely a quote never
  // closed, and holding it would take memory without bound.
  static constexpr std::size_t maxRowBytes = 1 << 20;

  // Rows read from an open file descriptor (left open); `name` is used in
  // the messages.
  CsvInput(int fd, std::string name);
  // The rows of a whole table in memory.
  explicit CsvInput(std::string_view text);

  // The table's first line, for guessing the delimiter (reads as much as it
  // needs; at most maxRowBytes).  A UTF-8 byte order mark that starts the
  // input is no part of it: byteOrderMark() tells whether there was one.
  std::string_view firstLine();
  bool byteOrderMark() const { return bom_; }

  // The delimiter, ',' until set.
  void setDelimiter(char delimiter);

  // The next row; its views stay valid until the next call.
  // False at the end.  Throws CsvInputError and, where reading fails,
  // std::system_error.
  bool next(TableRow& row);

  // Block by block, for readers of many rows at once: fill() reads on (at
  // least once, then while the input has bytes ready and the buffer room,
  // after moving the held bytes to its start) and answers the bytes held,
  // whole rows and the start of one; empty at the end.  At the end of the
  // input a last row without a line feed is given one, which its lineEnd
  // leaves out.  rowAt() reads the row that starts `at` bytes into them as
  // next() would, and may be called from many threads at once;
  // consume() passes over rows taken, their bytes and input lines.
  std::string_view fill();
  std::string_view held() const { return {buffer_.data() + begin_, end_ - begin_}; }
  RowSpan rowAt(std::size_t at, TableRow& row) const;
  void consume(std::size_t bytes, long long lines);
  // The input's line where the held bytes start, from 1.
  long long line() const { return line_; }
  // Whether the input has ended: no read brings more.
  bool ended() const { return ended_; }

  // The messages of a row too long and of a quote never closed, for the
  // row that starts on `line`.
  static CsvInputError tooLong(long long line);
  static CsvInputError neverClosed(long long line);

 private:
  bool read();      // false at the end of the input
  bool readOnce();  // one read into the buffer's room; false at the end
  void makeRoom();
  void skipMark();

  int fd_ = -1;
  std::string name_;
  std::vector<char> buffer_;
  std::size_t begin_ = 0, end_ = 0;
  std::array<bool, 256> stops_{};  // the delimiter and the line feed
  long long line_ = 1;
  bool ended_ = false, bom_ = false, markChecked_ = false, closedLast_ = false;
};

}  // namespace qvcode
