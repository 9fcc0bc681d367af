// UTF-8 in what qvcode writes: where a well-formed sequence ends, and texts
// whose stray bytes are escaped so that a line quoting any input stays UTF-8.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qvrecords {

// The length of the well-formed UTF-8 sequence at the start of `v` (1 to 4),
// or 0 where none starts there: a stray continuation byte, an overlong form,
// a surrogate, a code point beyond U+10FFFF, a sequence cut short.  `v` is
// not empty.
std::size_t utf8Length(std::string_view v);

// `text` with every byte that is no part of well-formed UTF-8 written as
// \xNN (two lowercase hex digits), the escape the library's printableText
// writes for control bytes; everything else as it is.
std::string utf8Escaped(std::string_view text);

}  // namespace qvrecords
