// Writing the page's JSON objects and CSV rows.

#include "web/wasm/fields.hpp"

#include <emscripten/emscripten.h>

#include <cmath>

namespace {

// std::to_chars(first, v) for a finite double: the shortest digits that read
// back as v, fixed or scientific (d.ddde±XX), whichever is shorter, fixed on
// a tie; a whole number in fixed form with its exact digits.  The digits are
// the JavaScript engine's own shortest ones, the same by the same rule
// (nearest v among the shortest): the library's fallback for a C++ library
// without to_chars searches with printf and strtod, which here compute in
// software long double at about 0.3 ms a number.  Returns the length.
EM_JS(int, writeShortestText, (double v, char* out), {
  const magnitude = Math.abs(v);
  let text = String(v);
  // String(v) is fixed from 1e-7 to 1e21; from 1 up, fixed is never longer
  // than scientific where it has a point or at most five digits.
  if (!(magnitude >= 1 && magnitude < 1e21 && (magnitude < 1e5 || text.includes(".")))) {
    const [mantissa, exponent] = magnitude.toExponential().split("e");
    const digits = mantissa.replace(".", "");
    const e = Number(exponent);
    const sign = v < 0 || Object.is(v, -0) ? "-" : "";
    const scientific = sign + digits[0] + (digits.length > 1 ? "." + digits.slice(1) : "") + "e" +
                       (e < 0 ? "-" : "+") + String(Math.abs(e)).padStart(2, "0");
    const fixed = sign + (e < 0 ? "0." + "0".repeat(-e - 1) + digits
                          : e + 1 >= digits.length ? BigInt(magnitude).toString()
                          : digits.slice(0, e + 1) + "." + digits.slice(e + 1));
    text = fixed.length <= scientific.length ? fixed : scientific;
  }
  for (let i = 0; i < text.length; ++i) HEAPU8[out + i] = text.charCodeAt(i);
  return text.length;
});

}  // namespace

namespace web {

void appendShortest(std::string& s, double v) {
  // A whole number below 2^1024 has at most 309 digits.
  char text[320];
  s.append(text, static_cast<std::size_t>(writeShortestText(v, text)));
}

JsonFields::JsonFields(std::string& out) : out_(out) { out_ += '{'; }

JsonFields::~JsonFields() { out_ += '}'; }

std::string& JsonFields::key(std::string_view k) {
  if (!first_) out_ += ',';
  first_ = false;
  return out_.append("\"").append(k).append("\":");
}

JsonFields& JsonFields::number(std::string_view k, double v) {
  std::string& s = key(k);
  std::isfinite(v) ? appendShortest(s, v) : void(s += "null");
  return *this;
}

JsonFields& JsonFields::integer(std::string_view k, long long v) {
  key(k) += std::to_string(v);
  return *this;
}

JsonFields& JsonFields::text(std::string_view k, std::string_view v) {
  static constexpr char hex[] = "0123456789abcdef";
  std::string& s = key(k);
  s += '"';
  for (const char c : v) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') s.append(1, '\\').append(1, c);
    else if (u < 0x20) s.append("\\u00").append(1, hex[u >> 4]).append(1, hex[u & 15]);
    else s += c;
  }
  s += '"';
  return *this;
}

std::string& CsvRow::next() {
  if (written_++) out_ += ',';
  return out_;
}

CsvRow& CsvRow::number(double v) {
  std::string& s = next();
  if (std::isfinite(v)) appendShortest(s, v);
  return *this;
}

CsvRow& CsvRow::integer(long long v) {
  next() += std::to_string(v);
  return *this;
}

CsvRow& CsvRow::text(std::string_view v) {
  std::string& s = next();
  // Quoted where a comma, a quote or a line break would split the field.
  if (v.find_first_of(",\"\r\n") == std::string_view::npos) {
    s += v;
    return *this;
  }
  s += '"';
  for (const char c : v) (c == '"' ? s += "\"\"" : s += c);
  s += '"';
  return *this;
}

CsvRow& CsvRow::skip(std::size_t columns) {
  for (std::size_t i = 0; i < columns; ++i) next();
  return *this;
}

CsvRow::~CsvRow() {
  while (written_ < csvColumns.size()) next();
  out_ += '\n';
}

std::string csvHeader() {
  std::string h;
  for (const std::string_view c : csvColumns) h.append(h.empty() ? "" : ",").append(c);
  return h + '\n';
}

}  // namespace web
