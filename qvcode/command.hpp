// The subcommands of qvcode.  Each gets its arguments after the command name
// and answers with its exit status (failure.hpp).
#pragma once

#include <iosfwd>
#include <span>
#include <string>
#include <string_view>

#include "failure.hpp"

namespace qvcode {

using Args = std::span<const std::string_view>;

struct Command {
  std::string_view name;
  std::string_view usage;    // the arguments, as shown in the usage text
  std::string_view summary;  // one line
  int (*run)(Args args, std::ostream& out, std::ostream& err);
};

int runEncode(Args args, std::ostream& out, std::ostream& err);
int runDecode(Args args, std::ostream& out, std::ostream& err);
int runSweep(Args args, std::ostream& out, std::ostream& err);
int runAlgorit(Args args, std::ostream& out, std::ostream& err);

// The whole command line after the program name: a command and its
// arguments, or --help.
int runCommand(Args args, std::ostream& out, std::ostream& err);

// The usage text: every command with its arguments.
void printUsage(std::ostream& out);

// A whole argument read as a decimal number ("-33.5", "1e-3"), or false.
bool parseNumber(std::string_view text, double& value);

}  // namespace qvcode
