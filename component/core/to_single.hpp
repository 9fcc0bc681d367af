// The Variant-to-Single conversion of the elements 0..5 of `algorit`'s array.

#pragma once

#include <optional>
#include <string_view>

#include "component/core/value.hpp"

namespace qv {

// A double rounded to Single.  A value beyond the Single range is an
// Overflow, as is an infinite or NaN value.
float single(double v);

// Numbers and Booleans (True is −1) convert, Empty is 0, a numeric text is
// read as its number.  Other text and unsupported kinds are a TypeMismatch,
// Null is an InvalidUseOfNull.
float toSingle(const Value& v);

// The number a whole text spells, blanks around it allowed: an optional sign,
// digits with "." as decimal point, an optional exponent with E or D.
// Anything else, the empty text included, gives no number.  A magnitude below
// the smallest double reads as a zero of its sign; one beyond the largest
// raises Overflow.
std::optional<double> numericText(std::string_view text);

}  // namespace qv
