// UTF-8 texts of the form logic to the UTF-16 of the Windows API and back.
#pragma once

#include <string>
#include <string_view>

namespace qvpruef::win32 {

// Invalid sequences become U+FFFD.
std::wstring wide(std::string_view utf8);
std::string utf8(std::wstring_view text);

}  // namespace qvpruef::win32
