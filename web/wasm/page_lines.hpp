// How the page reads a line: blank, a comment, a code or a position, at most
// maxLineChars characters, with the library's messages in the page's words
// (the page has no command-line flags to point to).
//
// A line is blank when it holds nothing but blanks and tabs, a comment when
// its first other character is '#' (both as qvcode's filter mode passes them
// through), a code when that character is 'm', and otherwise a position.
// `decimals` is -1 for code texts ("m11:6.6 r236.8") or 0..6 for precise
// codes of that many decimals (precise_code.hpp).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "conversion/code_reader.hpp"

namespace web {

// The longest line the page reads, in characters (UTF-8 sequences): far
// more than any position or code needs, and short enough to quote.
inline constexpr std::size_t maxLineChars = 1000;

enum class LineKind { blank, comment, code, position };

LineKind kindOf(std::string_view line);

// Why a line is refused for its length ("the line holds 2,000,000
// characters; ..."), or nothing.
std::optional<std::string> lengthProblem(std::string_view line);

// A code line without the blanks and tabs around it: the code as the
// answers quote it and qv::coverOf reads it.
std::string_view codeText(std::string_view line);

// The code of a code line, read as code text or as a precise code of
// `decimals` decimals.  Raises qv::CodeFormatError naming the field; a
// precise code read as a code text is told which decimals to choose.
qv::CodeValues readPageCode(std::string_view line, int decimals);

// The message of a failure in the page's words: "run-time error 5: ..." for
// the conversion's qv::RuntimeError, the library's own text otherwise, with
// any advice about command-line flags said the page's way.
std::string failureText(const std::exception& e);

}  // namespace web
