// The page's batch: a block of lines converted at once, the positions
// through qv::encodeMany and the codes through qv::decodeMany, one call each
// for the whole block.
//
// A line feed ends a line and a CR before it is dropped; after the last line
// feed nothing more is a line.  Every line gives one output line, as
// qvcode's filter mode prints it: a position its code (its precise code
// with decimals 0..6), a code its position back as "latitude longitude" in
// the shortest texts that read back exactly, a failure "ERROR: <reason>",
// and blank and comment lines themselves.  Every line also gives one CSV row
// of the columns of fields.hpp; the rows are made only when asked for, as
// their many numbers take most of a batch's time.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace web {

enum class BlockText { outputs, csvRows };

struct Block {
  std::string text;  // an output line or a CSV row (without the header) for each line
  std::size_t lines = 0, failed = 0;
};

// Converts the lines of `text` into `out`, which it empties first.
void convertBlock(std::string_view text, int decimals, BlockText what, Block& out);

}  // namespace web
