// The commands of qvcode, their usage and help texts, and the dispatch.

#include <algorithm>
#include <array>
#include <ostream>
#include <string>

#include "qvcode/command.hpp"
#include "version.hpp"

namespace qvcode {
namespace {

#define QV_STREAM_OPTIONS "[--json|--csv] [--input-file FILE|--input-string TEXT] [--output-file FILE]"

// The part of the help that encode, decode and algorit share.
constexpr std::string_view filterHelp = R"(
Without an item on the command line the command is a filter: it reads items
one a line from standard input, --input-file or --input-string and writes one
line for each, in order, to standard output or --output-file.  A line that
cannot be read or converted gives "ERROR: <reason>" and the others go on; the
exit status is then 1.  Blank lines and lines starting with # pass through as
they are.  Memory stays the same however long the input.

  --json               the fields as one JSON object; in filter mode a failed
                       line gives {"input":...,"error":...}, a comment
                       {"comment":...} and a blank line {}
  --csv                a header line, then a row of the same fields for each
                       item; a failed line's reason in the column "error"
  --input-file FILE    read the lines from FILE ("-": standard input)
  --input-string TEXT  read the lines from TEXT, separated by ';'
  --output-file FILE   write to FILE, created or emptied ("-": standard output)
)";

constexpr std::string_view encodeHelp = R"(A position is a latitude and a longitude, a blank or a comma between them:

  50 10                  decimal degrees, north and east positive
  -33.87, 151.21
  33.87S 151.21E         a hemisphere letter N, S, E or W after the number
  S 33.87 E 151.21       or before it
  48°8′13″N 11°34′31″E   degrees, minutes and seconds with ° ′ ″ (or º ’ ”)
  48d8'13"N 11d34'31"E   or d ' " (or '' for the seconds)
  48:8:13 11:34:31       or colons; the last part may have decimals

With a letter on both coordinates the longitude may come first.  Refused with
the reason: two latitudes or longitudes, a letter out of place, a sign and a
letter together, minutes or seconds of 60 or more.  On the command line the
position may be one argument or several.

The input is then adjusted as the test program does: a longitude of exactly
-180 becomes -179.999999, one above 180 becomes 180, a latitude at or below -90
becomes -89.9 and exactly 90 becomes 89.9.  The code is printed whenever the
forward conversion succeeds.  The fields of --json and --csv are the adjusted
latitude and longitude, the code's stunde, distkm, versatzkm, disttext,
versatztext and codetext, skipOnError (whether the case ran in skip-on-error
mode), the way back: Bdezbk, Ldezbk and Ybk, and inverseError where the way
back failed (under --json only then).
)";

constexpr std::string_view decodeHelp = R"(The code is read in the forms the system writes: with or without its leading
blank, in tenths of a kilometre ("m11:6.6 r236.8") or in whole kilometres
("m11:6 r236"), and with the report line's two blanks before the r; anything
else is refused naming its field.  On the command
line the position is printed in decimal degrees and, on a second line, in
degrees, minutes and seconds; in filter mode in decimal degrees.  The fields of
--json and --csv: stunde, versatzkm, distkm, latitude, longitude, latitudeDms,
longitudeDms.
)";

constexpr std::string_view algoritHelp = R"(The eight elements are the degrees, minutes and seconds of the latitude, the
same of the longitude, then the latitude's and the longitude's hemisphere
letter (only the text "S" makes it south, "W" west).  Each is written as the
component's platform writes values to its text files:

  50  -33.5  1E+308      a number
  "N"  "30"  ""          a text in quotes: "30" is the text 30
  (nothing)              Empty
  #NULL#                 Null
  #TRUE#  #FALSE#        the Booleans
  N  ten                 any other word: that text

On the command line every argument is one element (an empty argument is Empty;
quote # and " for the shell); in filter mode a line holds the eight, separated
by commas: 50,0,0,10,0,0,"N","E".  For the command line only:

  --text               every argument is a text, numbers and keywords too
  --empty N            element N (0..7) is Empty, the arguments fill the rest
  --null N             element N is Null

The field of --json and --csv is code.
)";

constexpr std::string_view sweepHelp = R"(Every point of the grid is converted to its code and back and judged against
the tolerance, as the test window does; the report file gets a line for every
error case (or every case) and the number of cases.  The options are typed into
the window's boxes as given, so "--lat-step abc" is what typing it would be.

  --store errors|all   report the error cases only (the default) or every case
  --report PATH        the report file (default QV_errorDetect.txt here)
  --lat-from, --lat-to, --lat-step    latitudes, north to south, step in minutes
  --lon-from, --lon-to, --lon-step    longitudes, east to west, step in minutes
  --tolerance SECONDS  the largest difference that passes, in seconds of arc
  --json               the summary as one JSON object, with the worst
                       differences and the time taken
  --jobs N             evaluate on N threads (default: every core); every
                       result is that of one thread
  --shard K/N          run the K-th of N contiguous ranges of the columns into
                       PATH.K-of-N, with its summary in PATH.K-of-N.summary,
                       for qvcode merge PATH
  --map FILE.png       also draw where the round trip fails: a map of the swept
                       area, each case coloured by its difference
  --map-size WxH       the map's size in pixels (default one a grid point)

Exit status: 0 no error case, 1 error cases found, 2 a usage error or a failed
sweep, 130 interrupted by Ctrl-C (the report keeps its lines, without the
closing one).
)";

constexpr std::string_view mergeHelp = R"(The parts PATH.1-of-N to PATH.N-of-N that "qvcode sweep --shard K/N --report
PATH" wrote are checked to be one whole sweep (every shard there, the same
options, each one's columns following the last one's, each part the size its
summary says) and joined in order into PATH, with the closing line: the file
one process would have written, byte for byte.  Where the sweep stopped in a
shard, the parts up to that one are joined and the stop is reported as the
one process reports it.

  --json               the summary as one JSON object, as the sweep's

Exit status: as the sweep's, and 2 when the parts are not one whole sweep.
)";

constexpr std::array commands = {
    Command{"encode", QV_STREAM_OPTIONS " [LAT LON]",
            "print the Quorvel code of a position, such as 50 10 or 48°8′13″N 11°34′31″E", encodeHelp, runEncode},
    Command{"decode", QV_STREAM_OPTIONS " [CODE]",
            "turn a code text such as \"m11:6.6 r236.8\" back into a position", decodeHelp, runDecode},
    Command{"algorit", "[--text] [--empty N] [--null N] " QV_STREAM_OPTIONS "\n                [E0 E1 E2 E3 E4 E5 E6 E7]",
            "the component library's code in whole km from degrees, minutes, seconds and N/S, E/W letters",
            algoritHelp, runAlgorit},
    Command{"sweep",
            "[--json] [--store errors|all] [--report PATH] [--lat-from 89] [--lat-to -89] [--lat-step 30.00]\n"
            "               [--lon-from 180] [--lon-to -179] [--lon-step 30.00] [--tolerance .001]\n"
            "               [--jobs N] [--shard K/N] [--map FILE.png [--map-size WxH]]",
            "the test program's sweep without a window (steps in minutes, tolerance in seconds of arc)", sweepHelp,
            runSweep},
    Command{"merge", "[--json] PATH", "join the parts of a sweep run in shards into the report of one process",
            mergeHelp, runMerge},
};

#undef QV_STREAM_OPTIONS

bool convertsLines(const Command& c) { return c.name != "sweep" && c.name != "merge"; }

void printHelp(const Command& c, std::ostream& out) {
  out << "Usage: qvcode " << c.name << ' ' << c.usage << "\n\n"
      << "qvcode " << c.name << ": " << c.summary << ".\n\n"
      << c.help;
  if (convertsLines(c)) out << filterHelp;
}

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
  for (const Command& c : commands) out << "  qvcode " << c.name << ' ' << c.usage << "\n      " << c.summary << '\n';
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
  if (!c) return usageError(err, "unknown command '" + std::string(first) + "'");
  if (asksForHelp(args.subspan(1))) {
    printHelp(*c, out);
    return exitOk;
  }
  return c->run(args.subspan(1), out, err);
}

}  // namespace qvcode
