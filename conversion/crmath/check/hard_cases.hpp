// The hard-case file: inputs whose exact function value lies very close to
// a rounding boundary, one a line as `function input source`, where the
// input is a C99 hexadecimal float (0x1.921fb54442d18p+1, -0x1p-30) that is
// exactly a double and the source, the rest of the line, says where the case
// comes from.  `#` starts a comment; blank lines are skipped.
#pragma once

#include <istream>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace qv::crcheck {

struct HardCase {
  std::string function;
  double input = 0;
  std::string source;
  int line = 0;  // from 1
};

// A line that is none of a case, a comment or blank: what(), and its number.
class MalformedLine : public std::runtime_error {
 public:
  MalformedLine(int line, const std::string& reason) : std::runtime_error(reason), line_(line) {}
  int line() const { return line_; }

 private:
  int line_;
};

// Every case in the file, in order; throws MalformedLine at the first line
// that names no function of `functions`, has no input, an input that is not
// a hexadecimal float or not exactly a double, or no source.
std::vector<HardCase> readHardCases(std::istream& in, std::span<const std::string_view> functions);

}  // namespace qv::crcheck
