// Writing a flat JSON object: numbers that read back exactly, escaped strings.

#include "qvcode/json_writer.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <ostream>

#include "qvcode/utf8_text.hpp"

namespace qvcode {

bool appendNumber(std::string& s, double v) {
  if (!std::isfinite(v)) return false;
  char buf[32];
  // The shortest text that reads back to the same double: 236.8, not
  // 236.80000000000001.
  const auto res = std::to_chars(buf, buf + sizeof buf, v);
  s.append(buf, static_cast<std::size_t>(res.ptr - buf));
  return true;
}

void appendJsonString(std::string& s, std::string_view v) {
  s += '"';
  // Printable ASCII without quotes or backslashes, as keys and most values
  // are, goes as it is.
  const bool plain = std::all_of(v.begin(), v.end(), [](char c) {
    return c >= 0x20 && c < 0x7f && c != '"' && c != '\\';
  });
  if (plain) {
    s.append(v) += '"';
    return;
  }
  while (!v.empty()) {
    const char c = v.front();
    const std::size_t n = utf8Length(v);
    if (n == 0) {
      s += "\\ufffd";
      v.remove_prefix(1);
      continue;
    }
    if (c == '"' || c == '\\') {
      s += '\\';
      s += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04x", c);
      s += buf;
    } else {
      s.append(v.substr(0, n));
    }
    v.remove_prefix(n);
  }
  s += '"';
}

std::string jsonString(std::string_view v) {
  std::string s;
  appendJsonString(s, v);
  return s;
}

JsonObject::JsonObject(std::string& s) : s_(s) { s_ += '{'; }

JsonObject::JsonObject(std::ostream& out) : s_(own_), out_(&out) { s_ += '{'; }

JsonObject::~JsonObject() {
  s_ += '}';
  if (out_) *out_ << s_ << '\n';
}

std::string& JsonObject::key(std::string_view k) {
  if (!first_) s_ += ',';
  first_ = false;
  appendJsonString(s_, k);
  s_ += ':';
  return s_;
}

JsonObject& JsonObject::number(std::string_view k, double v) {
  if (!std::isfinite(v)) return null(k);
  appendNumber(key(k), v);
  return *this;
}

JsonObject& JsonObject::integer(std::string_view k, long long v) {
  key(k) += std::to_string(v);
  return *this;
}

JsonObject& JsonObject::text(std::string_view k, std::string_view v) {
  appendJsonString(key(k), v);
  return *this;
}

JsonObject& JsonObject::boolean(std::string_view k, bool v) {
  key(k) += v ? "true" : "false";
  return *this;
}

JsonObject& JsonObject::null(std::string_view k) {
  key(k) += "null";
  return *this;
}

}  // namespace qvcode
