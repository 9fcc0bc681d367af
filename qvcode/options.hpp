// The argument reader of the qvcode commands: declared flags and options with
// a value, "--name VALUE" and "--name=VALUE", "--" to end the options.
#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qvcode {

using Args = std::span<const std::string_view>;

// What went wrong with the arguments, as a message for the usage error; none
// when all is well.
using Problem = std::optional<std::string>;

// Takes one value (an option's, or a positional argument) and answers a
// problem with it, without the command's name in front.
using Taker = std::function<Problem(std::string_view value)>;

// One option a command declares.  A flag is given by its name alone; an option
// with a value takes the text after '=', or else the next argument whatever it
// looks like, so that "--lat-step -30" and "--empty --null" read as written.
struct Option {
  std::string_view name;  // with its dashes: "--store"
  bool takesValue;
  std::string_view missing;  // said after the name when the value is missing
  Taker take;                // given "" for a flag
};

// A flag that sets `on`.
Option flag(std::string_view name, bool& on);
// An option with a value; without one the problem is "<name> <missing>".
Option withValue(std::string_view name, Taker take, std::string_view missing = "needs a value");

// A taker that keeps the value in `to`.
Taker keepText(std::optional<std::string>& to);

// --precision N of encode and decode: N decimals, 0 to 6, into `decimals`.
Option precisionOption(std::optional<int>& decimals);

// A taker of positional arguments that keeps them in order.
Taker appendTo(std::vector<std::string_view>& list);

// What becomes of an argument that starts with '-' but is no declared option:
// a usage error, or a positional argument where those may be any text.
enum class Undeclared { unknownOption, positional };

// Reads `args` in order, handing each declared option to its taker and every
// other argument to `positional`; stops at the first problem and answers it as
// "<command>: <problem>".  Positional are "-", anything not starting with '-',
// negative numbers ("-33.87", "-.5", "-1e-400", "-inf") and all after the
// first "--".  A flag given "=VALUE" is undeclared.
Problem readArguments(Args args, std::string_view command, std::span<const Option> options, const Taker& positional,
                      Undeclared undeclared = Undeclared::unknownOption);

// A whole argument read as a decimal number ("-33.5", "+1e-3", "inf"), or false.
// A magnitude below the smallest double reads as a zero of its sign ("-1e-400"
// is -0); one beyond the largest raises the run-time error Overflow.
bool parseNumber(std::string_view text, double& value);

}  // namespace qvcode
