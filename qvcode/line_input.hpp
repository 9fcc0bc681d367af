// The lines of a filter's input, read in blocks: memory stays bounded
// whatever the size of the input, and a line is handed on as soon as its
// line feed has arrived.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qvcode {

class LineInput {
 public:
  // Lines longer than this are cut here; the rest of such a line is skipped.
  static constexpr std::size_t maxLineBytes = 1 << 20;

  // Lines read from an open file descriptor (left open), separated by line
  // feeds; `name` is used in the messages of read errors.
  LineInput(int fd, std::string name);
  // Lines of a text, separated by ';' or line feeds.
  explicit LineInput(std::string_view text);

  // The next line, without its line feed and without a CR before it; valid
  // until the next call.  A UTF-8 byte order mark that starts the input is
  // skipped.  `cut` tells whether the line was longer than
  // maxLineBytes.  False at the end of the input; a last line without a line
  // feed is a line.  Throws std::system_error when reading fails.
  bool next(std::string_view& line, bool& cut);
  // Whether the line that next gave last stays valid until the next read
  // (and beforeRead): false only for a line pieced together across blocks.
  bool lineStays() const { return stays_; }

  // Called before every read after the first: the moment to pass on what
  // has been written so far, since waiting for more input may take a while.
  std::function<void()> beforeRead;

 private:
  bool fill();  // reads the next block; false at the end

  int fd_ = -1;
  std::string name_;
  std::string_view separators_;
  std::vector<char> block_;
  std::string_view pending_;  // what is left of the block
  std::string carry_;         // the start of a line that spans blocks
  bool reads_ = false, ended_ = false, stays_ = true, first_ = true;
};

}  // namespace qvcode
