// Well-formed UTF-8 measured, and stray bytes escaped.

#include "records/utf8_text.hpp"

namespace qvrecords {

std::size_t utf8Length(std::string_view v) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(v[i]); };
  const unsigned char b = byte(0);
  std::size_t n = 0;
  unsigned char lo = 0x80, hi = 0xbf;  // the range of the second byte
  if (b < 0x80) return 1;
  if (b >= 0xc2 && b <= 0xdf) {
    n = 2;
  } else if (b >= 0xe0 && b <= 0xef) {
    n = 3;
    if (b == 0xe0) lo = 0xa0;
    if (b == 0xed) hi = 0x9f;  // no surrogates
  } else if (b >= 0xf0 && b <= 0xf4) {
    n = 4;
    if (b == 0xf0) lo = 0x90;
    if (b == 0xf4) hi = 0x8f;
  } else {
    return 0;
  }
  if (v.size() < n || byte(1) < lo || byte(1) > hi) return 0;
  for (std::size_t i = 2; i < n; ++i)
    if (byte(i) < 0x80 || byte(i) > 0xbf) return 0;
  return n;
}

std::string utf8Escaped(std::string_view text) {
  static constexpr char hex[] = "0123456789abcdef";
  std::string e;
  e.reserve(text.size());
  while (!text.empty()) {
    std::size_t n = utf8Length(text);
    if (n == 0) {
      const auto u = static_cast<unsigned char>(text.front());
      e += {'\\', 'x', hex[u >> 4], hex[u & 15]};
      n = 1;
    } else {
      e.append(text.substr(0, n));
    }
    text.remove_prefix(n);
  }
  return e;
}

}  // namespace qvrecords
