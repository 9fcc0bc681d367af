// The page's numbers in the records, from the JavaScript engine's digits, and its CSV header.

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
    const[mantissa, exponent] = magnitude.toExponential().split("e");
    const digits = mantissa.replace(".", "");
    const e = Number(exponent);
    const sign = v < 0 || Object.is(v, -0) ? "-" : "";
    const scientific = sign + digits[0] + (digits.length > 1 ? "." + digits.slice(1) : "") + "e" + (e < 0 ? "-" : "+") +
                       String(Math.abs(e)).padStart(2, "0");
    const fixed = sign + (e < 0                    ? "0." + "0".repeat(-e - 1) + digits
                          : e + 1 >= digits.length ? BigInt(magnitude).toString()
                                                   : digits.slice(0, e + 1) + "." + digits.slice(e + 1));
    text = fixed.length <= scientific.length ? fixed : scientific;
  }
  for (let i = 0; i < text.length; ++i) HEAPU8[out + i] = text.charCodeAt(i);
  return text.length;
});

}  // namespace

namespace qvrecords {

bool appendNumber(std::string& s, double v) {
  if (!std::isfinite(v)) return false;
  // A whole number below 2^1024 has at most 309 digits.
  char text[320];
  s.append(text, static_cast<std::size_t>(writeShortestText(v, text)));
  return true;
}

}  // namespace qvrecords

namespace web {

std::string csvHeader() {
  std::string h;
  for (const std::string_view c : csvColumns) h.append(h.empty() ? "" : ",").append(c);
  return h + '\n';
}

}  // namespace web
