// The choice of a variant (variants.hpp): the first that the processor runs,
// or the one an environment variable names where that one runs too, so that
// a benchmark can time each variant of the whole conversion.  Every variant
// gives the same bits, so the choice changes only the speed.
#pragma once

#include <cstdlib>
#include <span>
#include <string_view>

namespace qv::cr {

// variants: fastest first, the last always available.
template <class Variant>
const Variant& chooseVariant(std::span<const Variant> variants, const char* environmentName) {
  if (const char* wanted = std::getenv(environmentName))
    for (const Variant& v : variants)
      if (std::string_view(v.name) == wanted && v.available()) return v;
  for (const Variant& v : variants)
    if (v.available()) return v;
  return variants.back();
}

}  // namespace qv::cr
