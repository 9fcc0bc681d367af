// The commands of qvcode, paired with their help pages, and the dispatch.

#include <algorithm>
#include <array>
#include <ostream>
#include <string>

#include "conversion/printable_text.hpp"
#include "qvcode/command.hpp"
#include "qvcode/help_pages.hpp"
#include "version.hpp"

namespace qvcode {
namespace {

// The commands in the order of their help pages, each run by its function.
constexpr std::array<int (*)(Args, std::ostream&, std::ostream&), 5> runners = {runEncode, runDecode, runAlgorit,
                                                                                runSweep, runMerge};

std::array<Command, 5> makeCommands() {
  std::array<Command, 5> c{};
  for (std::size_t i = 0; i < c.size(); ++i) {
    const HelpPage& h = helpPages[i];
    c[i] = Command{h.name, h.usage, h.summary, h.help, runners[i]};
  }
  return c;
}
const std::array<Command, 5> commands = makeCommands();

void printHelp(const Command& c, std::ostream& out) { out << c.help; }

const Command* find(std::string_view name) {
  const auto c = std::ranges::find(commands, name, &Command::name);
  return c == commands.end() ? nullptr : &*c;
}

// The commands' names as the messages list them: "encode, decode, ..., sweep
// or merge", with `last` (such as "help") after them where given.
std::string commandNames(std::string_view last = {}) {
  std::string names;
  const std::size_t count = commands.size() + (last.empty() ? 0 : 1);
  for (std::size_t i = 0; i < count; ++i) {
    if (i > 0) names += i + 1 == count ? " or " : ", ";
    names += i < commands.size() ? commands[i].name : last;
  }
  return names;
}

// --help among a command's options, before any "--".
bool asksForHelp(Args args) {
  const auto end = std::ranges::find(args, std::string_view("--"));
  return std::find(args.begin(), end, std::string_view("--help")) != end;
}

}  // namespace

void printUsage(std::ostream& out) {
  out << "Usage: qvcode COMMAND [OPTIONS] ARGS...\n\nCommands:\n";
  for (const Command& c : commands) {
    out << "  qvcode " << c.name << ' ';
    // The usage's further lines are aligned under its first.
    for (const char ch : c.usage) out << ch << (ch == '\n' ? "  " : "");
    out << "\n      " << c.summary << '\n';
  }
  out << "  qvcode help [COMMAND]\n      this text, or a command's forms and options\n"
         "  qvcode --version\n      the version\n"
         "\nencode, decode and algorit read lines (filter mode) when no item is given.\n"
         "Exit status: 0 done, 1 a run-time error of the conversion or a failed line,\n"
         "2 a usage error, malformed input, or input or output that failed.\n";
}

int runCommand(Args args, std::ostream& out, std::ostream& err) {
  if (args.empty()) return usageError(err, "a command is needed: " + commandNames("help"));
  const std::string_view first = args[0];
  if (first == "--help" || first == "-h" || (first == "help" && args.size() == 1)) {
    printUsage(out);
    return exitOk;
  }
  if (first == "--version") {
    out << "qvcode (Quorvel) " << qv::version << '\n';
    return exitOk;
  }
  if (first == "help") {
    const Command* c = find(args[1]);
    if (!c || args.size() > 2) return usageError(err, "help takes one command: " + commandNames());
    printHelp(*c, out);
    return exitOk;
  }
  const Command* c = find(first);
  if (!c) return usageError(err, "unknown command '" + qv::printableText(first) + "'");
  if (asksForHelp(args.subspan(1))) {
    printHelp(*c, out);
    return exitOk;
  }
  return c->run(args.subspan(1), out, err);
}

}  // namespace qvcode
