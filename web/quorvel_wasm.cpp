// The conversion for the web page: one line in (a position in any form, or a
// code text), one JSON object out, from the same library as qvcode.

#include <emscripten/emscripten.h>

#include <cstdio>
#include <string>

#include "conversion/conversion.hpp"
#include "conversion/dms.hpp"
#include "conversion/position_reader.hpp"
#include "conversion/printable_text.hpp"

namespace {

std::string number(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.17g", v);
  return text;
}

// A text as a JSON string.
std::string quoted(const std::string& s) {
  std::string q = "\"";
  for (const char c : qv::printableText(s)) {
    if (c == '"' || c == '\\') q += '\\';
    q += c;
  }
  return q + '"';
}

std::string positionFields(const qv::Position& p) {
  return "\"lat\":" + number(p.latitude) + ",\"lon\":" + number(p.longitude);
}

std::string convert(const std::string& line) {
  const std::size_t start = line.find_first_not_of(" \t");
  if (start == std::string::npos) return R"({"ok":false,"error":"empty"})";
  try {
    if (line[start] == 'm') {
      const qv::Position p = qv::decode(line);
      return "{\"ok\":true,\"kind\":\"code\",\"code\":" + quoted(line.substr(start)) + "," + positionFields(p) + "}";
    }
    const qv::Position p = qv::readPosition(line);
    const qv::Code c = qv::encode(p.latitude, p.longitude);
    return "{\"ok\":true,\"kind\":\"position\",\"code\":" + quoted(c.text) + "," + positionFields(p) +
           ",\"hour\":" + std::to_string(c.hour) + ",\"offsetKm\":" + number(c.offsetKm) +
           ",\"distanceKm\":" + number(c.distanceKm) + ",\"bearingDegrees\":" + number(c.bearingDegrees) + "}";
  } catch (const qv::RuntimeError& e) {
    return "{\"ok\":false,\"error\":" + quoted("run-time error " + std::to_string(e.number()) + ": " + e.what()) + "}";
  } catch (const std::exception& e) {
    return "{\"ok\":false,\"error\":" + quoted(e.what()) + "}";
  }
}

}  // namespace

extern "C" {

// The answer for `line` as JSON, valid until the next call.
EMSCRIPTEN_KEEPALIVE const char* qv_convert(const char* line) {
  static std::string answer;
  answer = convert(line);
  return answer.c_str();
}

}
