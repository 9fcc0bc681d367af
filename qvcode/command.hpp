#pragma once
// The subcommands of qvcode.  Each gets its arguments after the command name
// and answers with the exit status: 0 done, 1 a run-time error (or, for a
// sweep, error cases found), 2 a usage error or malformed input.

#include <iosfwd>
#include <span>
#include <string>
#include <string_view>

namespace qvcode {

using Args = std::span<const std::string_view>;

struct Command {
  std::string_view name;
  std::string_view usage;    // the arguments, as shown in the usage text
  std::string_view summary;  // one line
  int (*run)(Args args, std::ostream& out, std::ostream& err);
};

inline constexpr int exitOk = 0;
inline constexpr int exitRuntimeError = 1;
inline constexpr int exitUsage = 2;

int runEncode(Args args, std::ostream& out, std::ostream& err);
int runDecode(Args args, std::ostream& out, std::ostream& err);
int runSweep(Args args, std::ostream& out, std::ostream& err);
int runAlgorit(Args args, std::ostream& out, std::ostream& err);

// The whole command line after the program name: a command and its
// arguments, or --help.
int runCommand(Args args, std::ostream& out, std::ostream& err);

// The usage text: every command with its arguments.
void printUsage(std::ostream& out);

// Prints "qvcode: <message>" and the usage text on `err`; returns exitUsage.
int usageError(std::ostream& err, std::string_view message);

// A whole argument read as a decimal number ("-33.5", "1e-3"), or false.
bool parseNumber(std::string_view text, double& value);

}  // namespace qvcode
