// Reader of cases.txt, the shared worked examples and edge cases, for the C++
// tests and the Windows client (header-only); its fields are read by the
// component core's reader of the same notation.
#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "component/core/element_notation.hpp"

namespace cases {

// One input field in the notation of Automation text files: the element it
// stands for (never Unsupported) and the field as the file spells it.
struct Field {
  qv::Value value;
  std::string spelling;
};

struct Case {
  std::string where;  // "cases.txt:LINE: the line", for failure messages
  std::vector<Field> input;
  std::string expected;  // the code text, or "error N TEXT"
  bool fails() const { return expected.starts_with("error "); }
};

// "error N TEXT": how the file writes a run-time error.
inline std::string failure(int number, std::string_view text) {
  return "error " + std::to_string(number) + " " + std::string(text);
}

// One field as the file writes it; `where` names the line in an error.  The
// file is stricter than the notation: a word that is no number is an error
// here, not a text.
inline Field field(std::string_view f, const std::string& where) {
  qv::Value v;
  try {
    v = qv::readElement(f);
  } catch (const qv::ElementNotationError& e) {
    throw std::runtime_error(where + ": " + e.what());
  }
  if (std::holds_alternative<std::string>(v) && !f.starts_with('"'))
    throw std::runtime_error(where + ": a field is no number, text or keyword");
  return {std::move(v), std::string(f)};
}

// The cases of one kind ("encode", "algorit") in the order of the file.
// Throws std::runtime_error when the file cannot be read or a line of that
// kind is malformed, so that a broken file fails the test, not shrinks it.
inline std::vector<Case> read(const std::filesystem::path& file, std::string_view kind) {
  std::ifstream in(file);
  if (!in) throw std::runtime_error("cannot read " + file.string());
  std::vector<Case> result;
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    std::string_view body(line);
    body = body.substr(0, std::min(body.find(" #"), body.find('\r')));
    if (!body.starts_with(std::string(kind) + " ")) continue;
    Case& c = result.emplace_back();
    c.where = file.filename().string() + ":" + std::to_string(number) + ": " + line;

    const std::size_t arrow = body.find(" => ");
    std::string_view outcome = arrow == std::string_view::npos ? std::string_view() : body.substr(arrow + 4);
    while (outcome.ends_with(' ')) outcome.remove_suffix(1);
    if (outcome.size() >= 2 && outcome.front() == '"' && outcome.back() == '"')
      c.expected = outcome.substr(1, outcome.size() - 2);
    else if (outcome.starts_with("error "))
      c.expected = outcome;
    else
      throw std::runtime_error(c.where + ": no \" => \" with a quoted code text or \"error N TEXT\" after it");

    const std::string_view input = body.substr(kind.size() + 1, arrow - kind.size() - 1);
    try {
      for (const std::string_view f : qv::elementFields(input)) c.input.push_back(field(f, c.where));
    } catch (const qv::ElementNotationError& e) {
      throw std::runtime_error(c.where + ": " + e.what());
    }
  }
  if (result.empty()) throw std::runtime_error(file.string() + " holds no " + std::string(kind) + " case");
  return result;
}

}  // namespace cases
