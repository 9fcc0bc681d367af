// Writing a flat JSON object: numbers that read back exactly, escaped strings.

#include "records/json_writer.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <ostream>

#include "conversion/detail/float_text.hpp"
#include "records/utf8_text.hpp"

namespace qvrecords {

void appendJsonString(std::string& s, std::string_view v) {
  s += '"';
  // Runs of printable ASCII other than quotes and backslashes, and of
  // well-formed UTF-8, go as they are, each in one piece.
  std::size_t run = 0, i = 0;
  while (i < v.size()) {
    const auto c = static_cast<unsigned char>(v[i]);
    if (c >= 0x20 && c < 0x7f && c != '"' && c != '\\') {
      ++i;
      continue;
    }
    const std::size_t n = c < 0x80 ? 1 : utf8Length(v.substr(i));
    if (n > 1) {
      i += n;
      continue;
    }
    s.append(v, run, i - run);
    if (n == 0) {
      s += "\\ufffd";
    } else if (c == '"' || c == '\\') {
      s += '\\';
      s += static_cast<char>(c);
    } else {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04x", c);
      s += buf;
    }
    run = ++i;
  }
  s.append(v, run) += '"';
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
  // Keys are the programs' own names, letters only: nothing to escape.  A
  // short one goes in one piece, as most of a line's bytes are its keys.
  char room[64];
  if (k.size() + 4 > sizeof room) {
    s_.append(first_ ? "\"" : ",\"").append(k).append("\":");
  } else {
    char* at = room;
    if (!first_) *at++ = ',';
    *at++ = '"';
    at = std::copy(k.begin(), k.end(), at);
    *at++ = '"';
    *at++ = ':';
    s_.append(room, at);
  }
  first_ = false;
  return s_;
}

JsonObject& JsonObject::number(std::string_view k, double v) {
  if (!std::isfinite(v)) return null(k);
  appendNumber(key(k), v);
  return *this;
}

JsonObject& JsonObject::integer(std::string_view k, long long v) {
  char digits[24];
  key(k).append(digits, std::to_chars(digits, digits + sizeof digits, v).ptr);
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

}  // namespace qvrecords
