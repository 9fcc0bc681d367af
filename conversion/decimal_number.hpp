// Decimal numbers read in full, the one way every reader of the system treats
// the ends of the double range.
#pragma once

#include <optional>
#include <string_view>

namespace qv {

// The number that the whole of `text` spells as std::from_chars reads it,
// after at most one sign, "+" or "-" (digits with at most one ".", an
// optional exponent; also "inf" and "nan"), or nullopt when the text is
// anything else: the empty text, and two signs such as "+-5", included.  A magnitude below the smallest double reads as a zero of its
// sign ("-1e-400" is -0); a magnitude beyond the largest raises Overflow.
std::optional<double> decimalNumber(std::string_view text);

}  // namespace qv
