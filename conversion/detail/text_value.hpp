// The text value: the number that a box's text starts with.

#pragma once

#include <string_view>

namespace qv {

// The number at the start of a text.  Blanks, tabs and line feeds are skipped
// wherever they stand ("1 2.5" reads 12.5); an optional sign, digits, "." as
// the only decimal point and an optional exponent (E or D) are read up to the
// first character that cannot belong to the number ("0,5" reads 0).  A text
// without a leading number gives 0 and is no error; a magnitude below the
// smallest double reads as a zero of its sign, one beyond the largest raises
// Overflow.
double textValue(std::string_view text);

}  // namespace qv
