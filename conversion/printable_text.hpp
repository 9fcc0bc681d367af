// Texts quoted in messages, with the bytes that would cut or garble them
// written as escapes.
#pragma once

#include <string>
#include <string_view>

namespace qv {

// `text` with every control byte (below 0x20, and 0x7f) escaped: \n, \t and
// \r by name, the others as \xNN, so that a NUL byte no longer ends the
// message at what().  Other bytes, UTF-8 included, stay as they are.
std::string printableText(std::string_view text);

}  // namespace qv
