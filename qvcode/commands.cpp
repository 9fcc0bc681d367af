// The commands of qvcode and its usage text.

#include <array>
#include <ostream>
#include <string>

#include "command.hpp"

namespace qvcode {
namespace {

constexpr std::array commands = {
    Command{"encode", "[--json] LAT LON", "print the Quorvel code of a position (decimal degrees, north and east positive)",
            runEncode},
    Command{"decode", "[--json] CODE", "turn a code text such as \"m11:6.6 r236.8\" back into a position", runDecode},
    Command{"sweep",
            "[--json] [--store errors|all] [--report PATH] [--lat-from 89] [--lat-to -89] [--lat-step 30.00]\n"
            "               [--lon-from 180] [--lon-to -179] [--lon-step 30.00] [--tolerance .001]",
            "the test program's sweep without a window (steps in minutes, tolerance in seconds of arc);\n"
            "      exit 0 no error case, 1 error cases, 2 usage error or failed sweep, 130 interrupted",
            runSweep},
    Command{"algorit", "[--text] [--empty N] [--null N] E0 E1 E2 E3 E4 E5 E6 E7",
            "the component library's code in whole km from degrees, minutes, seconds and N/S, E/W letters;\n"
            "      numbers pass as numbers, other arguments as text (--text: all); element N Empty or Null",
            runAlgorit},
};

}  // namespace

void printUsage(std::ostream& out) {
  out << "Usage: qvcode COMMAND [OPTIONS] ARGS...\n\nCommands:\n";
  for (const Command& c : commands) out << "  qvcode " << c.name << ' ' << c.usage << "\n      " << c.summary << '\n';
  out << "\nExit status: 0 done, 1 run-time error of the conversion, 2 usage error or malformed input.\n";
}

int runCommand(Args args, std::ostream& out, std::ostream& err) {
  if (args.empty()) {
    printUsage(err);
    return exitUsage;
  }
  if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    printUsage(out);
    return exitOk;
  }
  for (const Command& c : commands)
    if (args[0] == c.name) return c.run(args.subspan(1), out, err);
  return usageError(err, "unknown command '" + std::string(args[0]) + "'");
}

}  // namespace qvcode

