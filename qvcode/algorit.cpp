// qvcode algorit: the component library's single-precision conversion on the
// command line or line by line, with every kind of element a client can pass.

#include <array>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "component/core/algorit.hpp"
#include "component/core/element_notation.hpp"
#include "conversion/printable_text.hpp"
#include "conversion/runtime_error.hpp"
#include "qvcode/command.hpp"
#include "qvcode/filter.hpp"

namespace qvcode {
namespace {

constexpr std::size_t elementCount = 8;
constexpr std::string_view elementNumber = "takes an element number 0..7";

// The element number after --empty or --null, 0..7.
std::optional<int> elementIndex(std::string_view text) {
  if (text.size() != 1 || text[0] < '0' || text[0] >= '0' + static_cast<int>(elementCount)) return std::nullopt;
  return text[0] - '0';
}

void convert(std::vector<qv::Value> elements, Format format, std::string& out) {
  const std::string code = qv::algorit(qv::ElementArray(std::move(elements)));
  appendFormatted(
      format, out, [&](std::string& s) { s += code; }, [&](Record& r) { r.text("code", code); });
}

// A keyword such as #NULL# starts an element line, not a comment.
bool isComment(std::string_view line) { return startsWithHash(line) && !qv::startsWithKeyword(line); }

LineCommand algoritLines() {
  return {"algorit",
          "element lines",
          csvHeaderOf([](Record& r) { r.text("code", ""); }),
          [](std::string_view line, Format format, std::string& out) {
            std::vector<qv::Value> elements;
            try {
              elements = qv::readElementLine(line);
            } catch (const qv::ElementNotationError& e) {
              throw LineError("malformed elements '" + qv::printableText(line) + "': " + e.what());
            }
            if (elements.size() != elementCount)
              throw LineError("algorit takes eight elements, '" + qv::printableText(line) + "' has " +
                              std::to_string(elements.size()));
            convert(std::move(elements), format, out);
          },
          isComment,
          {}};
}

}  // namespace

// Positional arguments fill, in order, the elements not made Empty or Null.
int runAlgorit(Args args, std::ostream& out, std::ostream& err) {
  bool allText = false;
  std::array<std::optional<qv::Value>, elementCount> fixed;
  bool anyFixed = false;
  std::vector<std::string_view> given;
  const auto fix = [&](std::string_view name, const qv::Value& value) {
    return withValue(
        name,
        [&fixed, &anyFixed, name, value](std::string_view text) -> Problem {
          const std::optional<int> n = elementIndex(text);
          if (!n) return std::string(name) + ' ' + std::string(elementNumber);
          fixed[static_cast<std::size_t>(*n)] = value;
          anyFixed = true;
          return {};
        },
        elementNumber);
  };
  StreamOptions streams;
  std::vector<Option> options = {flag("--text", allText), fix("--empty", qv::Empty{}), fix("--null", qv::Null{})};
  declareStreamOptions(options, streams);
  // An element may be any text, "-N" as well.
  if (const Problem problem = readArguments(args, "algorit", options, appendTo(given), Undeclared::positional))
    return usageError(err, *problem);
  if (const Problem problem = streamOptionsProblem(streams, !given.empty() || anyFixed))
    return usageError(err, "algorit: " + *problem);
  const LineCommand lines = algoritLines();
  if (given.empty() && !anyFixed) {
    if (allText)
      return usageError(err, "algorit: --text is for elements on the command line; a line writes each element's kind");
    return runFilter(lines, streams, out, err);
  }

  std::vector<qv::Value> elements;
  auto next = given.begin();
  try {
    for (const std::optional<qv::Value>& f : fixed) {
      if (f) {
        elements.push_back(*f);
        continue;
      }
      if (next == given.end()) break;
      elements.push_back(allText ? qv::Value(std::string(*next)) : qv::readElement(*next));
      ++next;
    }
  } catch (const qv::ElementNotationError& e) {
    return usageError(err, std::string("algorit: ") + e.what());
  }
  if (elements.size() != elementCount || next != given.end())
    return usageError(err,
                      "algorit takes eight elements: degrees, minutes, seconds of latitude and longitude, "
                      "then the two hemisphere letters");

  std::string item;
  try {
    convert(std::move(elements), streams.format(), item);
  } catch (const qv::RuntimeError& e) {
    return runtimeError(err, e);
  }
  return writeItem(lines, streams, item, out, err);
}

}  // namespace qvcode
