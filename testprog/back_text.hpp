// The text of a back-converted value as the report line and the first-case
// display show it.

#pragma once

#include <optional>
#include <string>

namespace qvpruef {

// A back-converted value as the report line and the first-case display show
// it: the first 7 characters of its plain number text, counting a minus sign
// and the point, not filled up ("-88.833", "180"; an exponent form may lose
// its exponent).  An empty value gives the empty text.
std::string backText(const std::optional<double>& v);

// The same, appended to `to` without a text of its own (once per case).
void appendBackText(std::string& to, const std::optional<double>& v);

}  // namespace qvpruef
