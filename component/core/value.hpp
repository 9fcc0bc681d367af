// One element of the array that a client hands to `algorit`, reduced to the
// kinds the conversion tells apart.  The COM layer maps every VARIANT onto
// one of these; `Unsupported` stands for what no conversion accepts (objects,
// error values, nested arrays).

#pragma once

#include <string>
#include <string_view>
#include <variant>

namespace qv {

struct Empty {};
struct Null {};
struct Unsupported {};

using Value = std::variant<Empty, Null, bool, double, std::string, Unsupported>;

// The exact, case-sensitive text test of the hemisphere letters: only a text
// element can match; a number, Empty or Null never does.
inline bool isText(const Value& v, std::string_view text) {
  const auto* s = std::get_if<std::string>(&v);
  return s && *s == text;
}

}  // namespace qv
