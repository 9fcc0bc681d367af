// The precision argument of encode, decode and the array functions: the
// decimals of a precise code (precise_code.hpp), or none for the code text.
#pragma once

#include <pybind11/pybind11.h>

#include <optional>
#include <string>

#include "conversion/precise_code.hpp"

namespace quorvel {

// 0..6 as given, -1 for none; raises ValueError for anything else.
inline int checkedPrecision(std::optional<int> precision) {
  if (precision && (*precision < 0 || *precision > qv::maxPreciseDecimals))
    throw pybind11::value_error("precision takes 0 to " + std::to_string(qv::maxPreciseDecimals) + " decimals, not " +
                                std::to_string(*precision));
  return precision.value_or(-1);
}

}  // namespace quorvel
