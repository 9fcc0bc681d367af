// Conversion of texts between BSTR (UTF-16) and UTF-8.

#include "component/com/com_text.hpp"

namespace convqv {

BSTR asciiToBstr(std::string_view text) {
  const BSTR b = SysAllocStringLen(nullptr, static_cast<UINT>(text.size()));
  if (!b) return nullptr;
  for (std::size_t i = 0; i < text.size(); ++i) b[i] = static_cast<unsigned char>(text[i]);
  return b;
}

std::string bstrToUtf8(BSTR text) {
  const UINT n = SysStringLen(text);
  std::string s(n, '\0');
  bool ascii = true;
  for (UINT i = 0; i < n && ascii; ++i) {
    ascii = text[i] < 0x80;
    s[i] = static_cast<char>(text[i]);
  }
  if (ascii) return s;
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(n), nullptr, 0, nullptr, nullptr);
  s.assign(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(n), s.data(), bytes, nullptr, nullptr);
  return s;
}

}  // namespace convqv
