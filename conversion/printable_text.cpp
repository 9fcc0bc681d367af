// Control bytes of a quoted text written as escapes.

#include "conversion/printable_text.hpp"

namespace qv {

std::string printableText(std::string_view text) {
  static constexpr char hex[] = "0123456789abcdef";
  std::string e;
  e.reserve(text.size());
  for (const char c : text) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '\n')
      e += "\\n";
    else if (c == '\t')
      e += "\\t";
    else if (c == '\r')
      e += "\\r";
    else if (u < 0x20 || u == 0x7f)
      e += {'\\', 'x', hex[u >> 4], hex[u & 15]};
    else
      e += c;
  }
  return e;
}

}  // namespace qv
