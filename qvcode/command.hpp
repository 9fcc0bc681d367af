// The subcommands of qvcode.  Each gets its arguments after the command name
// and answers with its exit status (failure.hpp).
#pragma once

#include <iosfwd>
#include <string_view>

#include "qvcode/failure.hpp"
#include "qvcode/options.hpp"

namespace qvcode {

struct Command {
  std::string_view name;
  std::string_view usage;    // the arguments, as shown in the usage text
  std::string_view summary;  // one line
  std::string_view help;     // what `qvcode help NAME` prints
  int (*run)(Args args, std::ostream& out, std::ostream& err);
};

int runEncode(Args args, std::ostream& out, std::ostream& err);
int runDecode(Args args, std::ostream& out, std::ostream& err);
int runSweep(Args args, std::ostream& out, std::ostream& err);
int runAlgorit(Args args, std::ostream& out, std::ostream& err);
int runMerge(Args args, std::ostream& out, std::ostream& err);

// The whole command line after the program name: a command and its
// arguments, "help [COMMAND]", --help or --version.  A command given --help
// before any "--" prints its help instead of running.
int runCommand(Args args, std::ostream& out, std::ostream& err);

// The usage text: every command with its arguments.
void printUsage(std::ostream& out);

}  // namespace qvcode
