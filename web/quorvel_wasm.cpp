// The WebAssembly entry of the map page: the page writes a line, or a block
// of lines, as UTF-8 into the input room and asks for its answer, which
// stays valid until the next call (answers.hpp, batch.hpp).  Texts go by
// pointer and length through the module's heap, never through the stack, so
// that no length of input can overrun it, and a NUL byte is a character of
// the line like any other.

#include <emscripten/emscripten.h>

#include <cstddef>
#include <string>

#include "web/wasm/answers.hpp"
#include "web/wasm/batch.hpp"
#include "web/wasm/fields.hpp"

namespace {

std::string input, answer;
web::Block block;

std::string_view given(std::size_t size) { return std::string_view(input).substr(0, size); }

}  // namespace

extern "C" {

// Room for `size` bytes of input; where to write them.
EMSCRIPTEN_KEEPALIVE char* qv_input(std::size_t size) {
  input.resize(size);
  return input.data();
}

// The JSON answer for the line in the input room's first `size` bytes;
// `decimals` is -1 for code texts, 0..6 for precise codes.
EMSCRIPTEN_KEEPALIVE const char* qv_line(std::size_t size, int decimals) {
  answer = web::answerOfLine(given(size), decimals);
  return answer.c_str();
}

// The JSON answer for a clicked point, latitude and longitude in degrees.
EMSCRIPTEN_KEEPALIVE const char* qv_point(double latitude, double longitude, int decimals) {
  answer = web::answerOfPoint(latitude, longitude, decimals);
  return answer.c_str();
}

// Converts the block of lines in the input room's first `size` bytes into
// their output lines (csvRows 0) or their CSV rows (1), read with
// qv_block_text and qv_block_size; and counts them.
EMSCRIPTEN_KEEPALIVE void qv_lines(std::size_t size, int decimals, int csvRows) {
  web::convertBlock(given(size), decimals, csvRows ? web::BlockText::csvRows : web::BlockText::outputs, block);
}

EMSCRIPTEN_KEEPALIVE std::size_t qv_answer_size() { return answer.size(); }
EMSCRIPTEN_KEEPALIVE const char* qv_block_text() { return block.text.data(); }
EMSCRIPTEN_KEEPALIVE std::size_t qv_block_size() { return block.text.size(); }
EMSCRIPTEN_KEEPALIVE std::size_t qv_block_lines() { return block.lines; }
EMSCRIPTEN_KEEPALIVE std::size_t qv_block_failed() { return block.failed; }

EMSCRIPTEN_KEEPALIVE const char* qv_csv_header() {
  answer = web::csvHeader();
  return answer.c_str();
}
}
