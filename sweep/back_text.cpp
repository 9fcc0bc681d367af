// The back-converted value's text, cut to 7 characters.

#include "sweep/back_text.hpp"

#include <algorithm>

#include "conversion/number_text.hpp"

namespace qvsweep {

constexpr std::size_t backTextLength = 7;

char* writeBackText(char* out, const std::optional<double>& v) {
  if (!v) return out;
  char text[qv::numberTextRoom];
  const char* end = qv::writePlainNumberText(text, *v);
  return std::copy<const char*>(text, std::min<const char*>(end, text + backTextLength), out);
}

std::string backText(const std::optional<double>& v) {
  char text[backTextLength];
  return {text, static_cast<std::size_t>(writeBackText(text, v) - text)};
}

}  // namespace qvsweep
