// Shared pieces of the commands' argument handling.

#include <charconv>
#include <ostream>
#include <string>

#include "command.hpp"

namespace qvcode {

int usageError(std::ostream& err, std::string_view message) {
  err << "qvcode: " << message << "\n\n";
  printUsage(err);
  return exitUsage;
}

bool parseNumber(std::string_view text, double& value) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  const auto res = std::from_chars(text.data(), text.data() + text.size(), value);
  return !text.empty() && res.ec == std::errc() && res.ptr == text.data() + text.size();
}

}  // namespace qvcode
