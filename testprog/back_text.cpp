// The back-converted value's text, cut to 7 characters.

#include "back_text.hpp"

#include "number_text.hpp"

namespace qvpruef {

constexpr std::size_t backTextLength = 7;

void appendBackText(std::string& to, const std::optional<double>& v) {
  to.append(qv::plainNumberText(v), 0, backTextLength);
}

std::string backText(const std::optional<double>& v) {
  std::string text;
  appendBackText(text, v);
  return text;
}

}  // namespace qvpruef
