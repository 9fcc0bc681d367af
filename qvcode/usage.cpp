// Reading the commands' arguments.

#include <charconv>

#include "command.hpp"

namespace qvcode {

bool parseNumber(std::string_view text, double& value) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  const auto res = std::from_chars(text.data(), text.data() + text.size(), value);
  return !text.empty() && res.ec == std::errc() && res.ptr == text.data() + text.size();
}

}  // namespace qvcode
