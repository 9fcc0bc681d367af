// Writing a flat JSON object: numbers that read back exactly, escaped strings.

#include "qvcode/json_writer.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <ostream>

namespace qvcode {
namespace {

// The length of the well-formed UTF-8 sequence at the start of `v`, or 0.
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

}  // namespace

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
