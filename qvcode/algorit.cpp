// qvcode algorit: the component library's single-precision conversion on the
// command line, with every kind of element a client can pass.

#include <array>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "algorit.hpp"
#include "command.hpp"
#include "runtime_error.hpp"

namespace qvcode {
namespace {

constexpr int elementCount = 8;
constexpr std::string_view elementNumber = "takes an element number 0..7";

// The element number after --empty or --null, 0..7.
std::optional<int> elementIndex(std::string_view text) {
  if (text.size() != 1 || text[0] < '0' || text[0] >= '0' + elementCount) return std::nullopt;
  return text[0] - '0';
}

// An argument beyond the double range stays text: the element's own
// conversion then raises its Overflow, in the order algorit reads them.
bool numberArgument(std::string_view text, double& value) {
  try {
    return parseNumber(text, value);
  } catch (const qv::RuntimeError&) {
    return false;
  }
}

}  // namespace

// Positional arguments fill, in order, the elements not made Empty or Null.
int runAlgorit(Args args, std::ostream& out, std::ostream& err) {
  bool allText = false;
  std::array<std::optional<qv::Value>, elementCount> fixed;
  std::vector<std::string_view> given;
  const auto fix = [&](std::string_view name, const qv::Value& value) {
    return withValue(name, [&fixed, name, value](std::string_view text) -> Problem {
      const std::optional<int> n = elementIndex(text);
      if (!n) return std::string(name) + ' ' + std::string(elementNumber);
      fixed[static_cast<std::size_t>(*n)] = value;
      return {};
    }, elementNumber);
  };
  const Option options[] = {flag("--text", allText), fix("--empty", qv::Empty{}), fix("--null", qv::Null{})};
  // An element may be any text, "-N" as well.
  if (const Problem problem = readArguments(args, "algorit", options, appendTo(given), Undeclared::positional))
    return usageError(err, *problem);

  std::vector<qv::Value> elements;
  auto next = given.begin();
  for (const std::optional<qv::Value>& f : fixed) {
    if (f) {
      elements.push_back(*f);
      continue;
    }
    if (next == given.end()) break;
    double number = 0;
    if (!allText && numberArgument(*next, number))
      elements.emplace_back(number);
    else
      elements.emplace_back(std::string(*next));
    ++next;
  }
  if (elements.size() != elementCount || next != given.end())
    return usageError(err, "algorit takes eight elements: degrees, minutes, seconds of latitude and longitude, "
                           "then the two hemisphere letters");

  try {
    out << qv::algorit(qv::ElementArray(std::move(elements))) << '\n';
  } catch (const qv::RuntimeError& e) {
    return runtimeError(err, e);
  }
  return exitOk;
}

}  // namespace qvcode
