// Reader of cases.txt, the shared worked examples and edge cases, for the C++
// tests and the Windows client (header-only, standard library only).
#pragma once

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace cases {

// One input field in the notation of Automation text files.
struct Field {
  enum class Kind { Empty, Null, Boolean, Number, Text } kind = Kind::Empty;
  bool boolean = false;
  double number = 0;
  std::string text{};  // a Text's characters; a Number's spelling in the file
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

// One field as the file writes it; `where` names the line in an error.
inline Field field(std::string_view f, const std::string& where) {
  if (f.empty()) return {};
  if (f == "#NULL#") return {.kind = Field::Kind::Null};
  if (f == "#TRUE#" || f == "#FALSE#") return {.kind = Field::Kind::Boolean, .boolean = f == "#TRUE#"};
  if (f.size() >= 2 && f.front() == '"' && f.back() == '"')
    return {.kind = Field::Kind::Text, .text = std::string(f.substr(1, f.size() - 2))};
  Field r{.kind = Field::Kind::Number, .text = std::string(f)};
  if (f.front() == '+') f.remove_prefix(1);
  const auto [end, ec] = std::from_chars(f.data(), f.data() + f.size(), r.number);
  if (ec != std::errc() || end != f.data() + f.size())
    throw std::runtime_error(where + ": a field is no number, text or keyword");
  return r;
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

    // The fields up to each comma, and the last one.
    std::string_view input = body.substr(kind.size() + 1, arrow - kind.size() - 1);
    for (std::size_t comma = 0; comma != std::string_view::npos; input.remove_prefix(comma + 1)) {
      comma = input.find(',');
      c.input.push_back(field(input.substr(0, comma), c.where));
    }
  }
  if (result.empty()) throw std::runtime_error(file.string() + " holds no " + std::string(kind) + " case");
  return result;
}

}  // namespace cases
