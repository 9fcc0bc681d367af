// qvcode: the Quorvel code conversions on the command line.

#include <array>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

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

void printUsage(std::ostream& out) {
  out << "Usage: qvcode COMMAND [OPTIONS] ARGS...\n\nCommands:\n";
  for (const Command& c : commands) out << "  qvcode " << c.name << ' ' << c.usage << "\n      " << c.summary << '\n';
  out << "\nExit status: 0 done, 1 run-time error of the conversion, 2 usage error or malformed input.\n";
}

}  // namespace

}  // namespace qvcode

int main(int argc, char** argv) {
  using namespace qvcode;
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  if (args.empty()) {
    printUsage(std::cerr);
    return exitUsage;
  }
  if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    printUsage(std::cout);
    return exitOk;
  }
  for (const Command& c : commands)
    if (args[0] == c.name) return c.run(Args(args).subspan(1), std::cout, std::cerr);
  return usageError(std::cerr, "unknown command '" + std::string(args[0]) + "'");
}
