// Reading algorit's elements in the notation of the platform's text files.

#include "component/core/element_notation.hpp"

#include <array>
#include <optional>
#include <string>

#include "component/core/blanks.hpp"
#include "conversion/detail/decimal_number.hpp"
#include "conversion/printable_text.hpp"
#include "conversion/runtime_error.hpp"

namespace qv {
namespace {

struct Keyword {
  std::string_view text;
  Value value;
};

const std::array<Keyword, 3>& keywords() {
  static const std::array<Keyword, 3> k = {{{"#NULL#", Null{}}, {"#TRUE#", true}, {"#FALSE#", false}}};
  return k;
}

}  // namespace

Value readElement(std::string_view field) {
  if (field.empty()) return Empty{};
  if (field.front() == '"') {
    if (field.size() < 2 || field.back() != '"' ||
        field.substr(1, field.size() - 2).find('"') != std::string_view::npos)
      throw ElementNotationError("the field " + printableText(field) + " must be one text in quotes");
    return std::string(field.substr(1, field.size() - 2));
  }
  if (field.find('"') != std::string_view::npos)
    throw ElementNotationError("the field " + printableText(field) + " has a quote inside it");
  for (const Keyword& k : keywords())
    if (field == k.text) return k.value;
  try {
    if (const std::optional<double> n = decimalNumber(field)) return *n;
  } catch (const RuntimeError&) {
    // Beyond the double range: the text's own conversion reports it.
  }
  return std::string(field);
}

std::vector<std::string_view> elementFields(std::string_view line) {
  std::vector<std::string_view> fields;
  for (;;) {
    // A field runs to the next comma, or past its closing quote to the next
    // comma when it starts with a quote.
    const std::size_t from = line.find_first_not_of(" \t");
    std::size_t end = line.find(',');
    if (from != std::string_view::npos && line[from] == '"') {
      const std::size_t close = line.find('"', from + 1);
      if (close == std::string_view::npos) throw ElementNotationError("a quote is not closed");
      end = line.find(',', close + 1);
    }
    fields.push_back(trimBlanks(line.substr(0, end)));
    if (end == std::string_view::npos) return fields;
    line.remove_prefix(end + 1);
  }
}

std::vector<Value> readElementLine(std::string_view line) {
  std::vector<Value> elements;
  for (const std::string_view field : elementFields(line)) elements.push_back(readElement(field));
  return elements;
}

bool startsWithKeyword(std::string_view line) {
  line = trimBlanks(line);
  for (const Keyword& k : keywords()) {
    if (!line.starts_with(k.text)) continue;
    const std::string_view rest = trimBlanks(line.substr(k.text.size()));
    if (rest.empty() || rest.front() == ',') return true;
  }
  return false;
}

}  // namespace qv
