// Reader of cases.txt, the shared worked examples and edge cases, for the C++
// tests and the Windows client (header-only).  It splits a case into its
// fields and reads numbers and quoted texts itself; the component's layers
// read a field in the whole notation of Automation text files (Empty, Null,
// Booleans) from its spelling, with the component core's reader.
#pragma once

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace cases {

// One input field as the file spells it: a number, a quoted text ("30" is
// the text 30), an empty field (Empty), #NULL#, #TRUE# or #FALSE#.
struct Field {
  std::string spelling;

  bool isText() const { return spelling.size() >= 2 && spelling.front() == '"' && spelling.back() == '"'; }
  // The text without its quotes; throws for a field that is no text.
  std::string text() const {
    if (!isText()) throw std::runtime_error("the field " + spelling + " is no quoted text");
    return spelling.substr(1, spelling.size() - 2);
  }
  // The number; throws for a field that is no number.
  double number() const {
    double v = 0;
    const char* first = spelling.data() + (spelling.starts_with('+') ? 1 : 0);
    const auto r = std::from_chars(first, spelling.data() + spelling.size(), v);
    if (spelling.empty() || r.ec != std::errc() || r.ptr != spelling.data() + spelling.size())
      throw std::runtime_error("the field " + spelling + " is no number");
    return v;
  }
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

// The fields of a case's input, split at commas; a quoted text holds no
// comma.  `where` names the line in an error.  The file is stricter than
// the notation: a field is a number, a quoted text, empty or a keyword.
inline std::vector<Field> fields(std::string_view input, const std::string& where) {
  std::vector<Field> result;
  for (;;) {
    const std::size_t comma = input.find(',');
    std::string_view f = input.substr(0, comma);
    while (!f.empty() && (f.front() == ' ' || f.front() == '\t')) f.remove_prefix(1);
    while (!f.empty() && (f.back() == ' ' || f.back() == '\t')) f.remove_suffix(1);
    Field field{std::string(f)};
    const bool keyword = f.empty() || f == "#NULL#" || f == "#TRUE#" || f == "#FALSE#";
    if (!keyword && !field.isText()) {
      try {
        field.number();
      } catch (const std::runtime_error&) {
        throw std::runtime_error(where + ": a field is no number, text or keyword");
      }
    }
    result.push_back(std::move(field));
    if (comma == std::string_view::npos) return result;
    input.remove_prefix(comma + 1);
  }
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
    c.input = fields(input, c.where);
  }
  if (result.empty()) throw std::runtime_error(file.string() + " holds no " + std::string(kind) + " case");
  return result;
}

}  // namespace cases
