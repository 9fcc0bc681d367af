// Writing a flat JSON object: numbers that read back exactly, escaped strings.

#include "json_writer.hpp"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace qvcode {

std::string jsonString(std::string_view v) {
  std::string s = "\"";
  for (const char c : v) {
    if (c == '"' || c == '\\') {
      s += '\\';
      s += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04x", c);
      s += buf;
    } else {
      s += c;
    }
  }
  return s + '"';
}

std::ostream& JsonObject::key(std::string_view k) {
  if (!first_) out_ << ',';
  first_ = false;
  return out_ << jsonString(k) << ':';
}

JsonObject& JsonObject::number(std::string_view k, double v) {
  if (!std::isfinite(v)) return null(k);
  char buf[32];
  const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 17);
  key(k) << std::string_view(buf, static_cast<std::size_t>(res.ptr - buf));
  return *this;
}

JsonObject& JsonObject::integer(std::string_view k, long long v) {
  key(k) << v;
  return *this;
}

JsonObject& JsonObject::text(std::string_view k, std::string_view v) {
  key(k) << jsonString(v);
  return *this;
}

JsonObject& JsonObject::boolean(std::string_view k, bool v) {
  key(k) << (v ? "true" : "false");
  return *this;
}

JsonObject& JsonObject::null(std::string_view k) {
  key(k) << "null";
  return *this;
}

}  // namespace qvcode
