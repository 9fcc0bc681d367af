// Reading the page's lines, and its words for what fails.

#include "web/wasm/page_lines.hpp"

#include "conversion/precise_code.hpp"
#include "conversion/runtime_error.hpp"

namespace web {
namespace {

std::string withThousands(std::size_t n) {
  std::string digits = std::to_string(n);
  for (std::size_t at = digits.size(); at > 3; at -= 3) digits.insert(at - 3, ",");
  return digits;
}

// The library's advice for a precise code read as a code text names
// qvcode's option; on the page the decimals are chosen beside the boxes.
constexpr std::string_view flagAdvice = "a precise code is read with --precision N";
constexpr std::string_view pageAdvice = "choose the decimals of precise codes on the page to read it";

std::string inPageWords(std::string message) {
  if (const std::size_t at = message.find(flagAdvice); at != std::string::npos)
    message.replace(at, flagAdvice.size(), pageAdvice);
  return message;
}

}  // namespace

LineKind kindOf(std::string_view line) {
  const std::size_t first = line.find_first_not_of(" \t");
  if (first == std::string_view::npos) return LineKind::blank;
  if (line[first] == '#') return LineKind::comment;
  return line[first] == 'm' ? LineKind::code : LineKind::position;
}

std::string_view codeText(std::string_view line) {
  const std::size_t first = line.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return line.substr(first, line.find_last_not_of(" \t") + 1 - first);
}

std::optional<std::string> lengthProblem(std::string_view line) {
  if (line.size() <= maxLineChars) return std::nullopt;  // a character is at least a byte
  std::size_t chars = 0;
  for (const char c : line) chars += (static_cast<unsigned char>(c) & 0xc0) != 0x80;
  if (chars <= maxLineChars) return std::nullopt;
  return "the line holds " + withThousands(chars) + " characters; the page reads at most " +
         withThousands(maxLineChars) + " characters in one position or code";
}

qv::CodeValues readPageCode(std::string_view line, int decimals) {
  if (decimals >= 0) return qv::readPreciseCode(line, decimals);
  try {
    return qv::readCode(line);
  } catch (const qv::CodeFormatError&) {
    // Said with the decimals to choose where the line is a precise code.
    for (int n = 0; n <= qv::maxPreciseDecimals; ++n) {
      try {
        qv::readPreciseCode(line, n);
      } catch (const qv::CodeFormatError&) {
        continue;
      }
      throw qv::CodeFormatError("this is a precise code with " + std::to_string(n) +
                                (n == 1 ? " decimal" : " decimals") + ": choose " + std::to_string(n) +
                                " under Precise codes to read it");
    }
    throw;
  }
}

std::string failureText(const std::exception& e) {
  if (const auto* r = dynamic_cast<const qv::RuntimeError*>(&e))
    return "run-time error " + std::to_string(r->number()) + ": " + r->what();
  return inPageWords(e.what());
}

}  // namespace web
