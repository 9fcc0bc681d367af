// The commands' argument reader: argument vectors against what it hands on or
// the problem it answers, and the spellings every command accepts.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "qvcode/command.hpp"
#include "qvcode/options.hpp"

namespace qvcode {
namespace {

using Vector = std::vector<std::string_view>;

std::string quoted(const Vector& args) {
  std::string s;
  for (const std::string_view a : args) s += " '" + std::string(a) + "'";
  return s;
}

// Writes down what the reader hands on: "json", "store=all", "[positional]",
// and "! problem" where it stops.
std::string readWith(const Vector& args, Undeclared undeclared) {
  std::string seen;
  const auto note = [&seen](const std::string& s) { seen += (seen.empty() ? "" : " ") + s; };
  const Option options[] = {
      withValue(
          "--store",
          [&](std::string_view v) -> Problem {
            if (v == "some") return "--store takes 'errors' or 'all', not 'some'";
            note("store=" + std::string(v));
            return {};
          },
          "needs 'errors' or 'all'"),
      withValue("--from",
                [&](std::string_view v) -> Problem {
                  note("from=" + std::string(v));
                  return {};
                }),
      Option{"--json",
             false,
             {},
             [&](std::string_view) -> Problem {
               note("json");
               return {};
             }},
  };
  const Taker positional = [&](std::string_view a) -> Problem {
    if (a == "bad") return "'bad' is no argument";
    note("[" + std::string(a) + "]");
    return {};
  };
  if (const Problem p = readArguments(args, "cmd", options, positional, undeclared)) note("! " + *p);
  return seen;
}

TEST(Options, ArgumentVectorsReadAsDeclared) {
  constexpr Undeclared strict = Undeclared::unknownOption;
  constexpr Undeclared text = Undeclared::positional;
  const struct {
    Vector args;
    Undeclared undeclared;
    std::string expected;
  } cases[] = {
      // Both spellings of a value, in the order given, options among positionals.
      {{"x", "--json", "--store", "all", "--from=5", "y", "--store="}, strict, "[x] json store=all from=5 [y] store="},
      // A value is the next argument whatever it looks like; '=' splits once.
      {{"--from", "-30", "--from", "--json", "--from=a=b"}, strict, "from=-30 from=--json from=a=b"},
      // Negative numbers, even unreadable ones, "-" and "" are positional.
      {{"-33.87", "151.21", "-.5", "-1e-400", "-.5e-999", "-inf", "-", ""},
       strict,
       "[-33.87] [151.21] [-.5] [-1e-400] [-.5e-999] [-inf] [-] []"},
      // "--" ends the options; a second one is positional.
      {{"--json", "--", "--json", "-x", "--from", "--"}, strict, "json [--json] [-x] [--from] [--]"},
      {{"--json", "-x", "--colour"}, strict, "json ! cmd: unknown option '-x'"},
      {{"--colour=red"}, strict, "! cmd: unknown option '--colour=red'"},
      {{"--json=1"}, strict, "! cmd: unknown option '--json=1'"},
      {{"--=x"}, strict, "! cmd: unknown option '--=x'"},
      {{"-from=5"}, strict, "! cmd: unknown option '-from=5'"},
      {{"--from"}, strict, "! cmd: --from needs a value"},
      {{"--json", "--store"}, strict, "json ! cmd: --store needs 'errors' or 'all'"},
      // The first problem wins, be it the reader's or a taker's.
      {{"--store", "some", "--colour"}, strict, "! cmd: --store takes 'errors' or 'all', not 'some'"},
      {{"x", "bad", "--colour"}, strict, "[x] ! cmd: 'bad' is no argument"},
      // Where arguments may be any text, undeclared ones are positional.
      {{"--colour", "-N", "--json=1", "--json", "--store=all"}, text, "[--colour] [-N] [--json=1] json store=all"},
      {{"-N", "--from"}, text, "[-N] ! cmd: --from needs a value"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(readWith(c.args, c.undeclared), c.expected) << quoted(c.args);
  }
}

TEST(Options, EveryCommandTakesBothSpellingsAndTheEndOfOptions) {
  const struct {
    Vector args;
    int status;
    std::string out, firstErrorLine;
  } cases[] = {
      {{"encode", "--", "-33.87", "151.21"}, exitOk, "m2:1184.2 r16326.8\n", ""},
      {{"encode", "-33.87", "151.21"}, exitOk, "m2:1184.2 r16326.8\n", ""},
      {{"encode", "--yaml", "1", "2"}, exitUsage, "", "qvcode: encode: unknown option '--yaml'"},
      {{"encode", "1", "2", "--json=1"}, exitUsage, "", "qvcode: encode: unknown option '--json=1'"},
      {{"decode", "--", "m11:6.6 r236.8"},
       exitOk,
       "49.9999649667773 9.99932533031054\n49\u00b059'59.87\" N 9\u00b059'57.57\" E\n",
       ""},
      {{"decode", "--jsn", "m11:6.6 r236.8"}, exitUsage, "", "qvcode: decode: unknown option '--jsn'"},
      {{"algorit", "--empty=2", "--empty=7", "50", "0", "10", "0", "0", "N"}, exitOk, "m11:6 r236\n", ""},
      {{"algorit", "--text", "--", "-33", "54", "0", "151", "12", "0", "N", "E"}, exitOk, "m2:1065 r16202\n", ""},
      // Any text is an element: "-N" is not the southern letter.
      {{"algorit", "50", "0", "0", "10", "0", "0", "-N", "E"}, exitOk, "m11:6 r236\n", ""},
      {{"algorit", "--null=9"}, exitUsage, "", "qvcode: algorit: --null takes an element number 0..7"},
      {{"sweep", "--", "--json"}, exitUsage, "", "qvcode: sweep: unknown option '--json'"},
  };
  for (const auto& c : cases) {
    std::ostringstream out, err;
    const int status = runCommand(c.args, out, err);
    const std::string shown = quoted(c.args);
    EXPECT_EQ(status, c.status) << shown;
    EXPECT_EQ(out.str(), c.out) << shown;
    EXPECT_EQ(err.str().substr(0, err.str().find('\n')), c.firstErrorLine) << shown;
  }
}

}  // namespace
}  // namespace qvcode
