// The text of a back-converted value as the report line and the first-case
// display show it: the first 7 characters of its plain number text, counting
// a minus sign and the point, not filled up ("-88.999", "180"; an exponent
// form may lose its exponent).  An empty value gives the empty text.

#pragma once

#include <optional>
#include <string>

namespace qvsweep {

std::string backText(const std::optional<double>& v);

// The same written at `out` (room for 7 characters); returns its end.
char* writeBackText(char* out, const std::optional<double>& v);

}  // namespace qvsweep
