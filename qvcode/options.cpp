// The argument reader of the qvcode commands.

#include "qvcode/options.hpp"

#include <algorithm>
#include <utility>

#include "conversion/detail/decimal_number.hpp"
#include "conversion/precise_code.hpp"

namespace qvcode {
namespace {

// "-33.87" is a latitude, not an option; so are numbers too small or too
// large for a double ("-1e-400", "-1e400"), which the command then reads as a
// zero of their sign or reports as an overflow.
bool isNegativeNumber(std::string_view a) {
  if (a.size() < 2 || a[0] != '-') return false;
  if ((a[1] >= '0' && a[1] <= '9') || a[1] == '.') return true;
  double ignored = 0;
  return parseNumber(a, ignored);  // "-inf"
}

}  // namespace

Option flag(std::string_view name, bool& on) {
  return {name, false, {}, [&on](std::string_view) -> Problem {
            on = true;
            return {};
          }};
}

Option withValue(std::string_view name, Taker take, std::string_view missing) {
  return {name, true, missing, std::move(take)};
}

Taker keepText(std::optional<std::string>& to) {
  return [&to](std::string_view v) -> Problem {
    to = std::string(v);
    return {};
  };
}

Option precisionOption(std::optional<int>& decimals) {
  return withValue(
      "--precision",
      [&decimals](std::string_view value) -> Problem {
        if (value.size() != 1 || value[0] < '0' || value[0] > '0' + qv::maxPreciseDecimals)
          return "--precision takes a number of decimals from 0 to 6, not '" + std::string(value) + "'";
        decimals = value[0] - '0';
        return {};
      },
      "needs a number of decimals from 0 to 6");
}

Taker appendTo(std::vector<std::string_view>& list) {
  return [&list](std::string_view a) -> Problem {
    list.push_back(a);
    return {};
  };
}

Problem readArguments(Args args, std::string_view command, std::span<const Option> options, const Taker& positional,
                      Undeclared undeclared) {
  const auto fail = [&](const std::string& what) { return Problem(std::string(command) + ": " + what); };
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view a = args[i];
    if (a == "--" && !optionsEnded) {
      optionsEnded = true;
      continue;
    }
    Problem problem;
    if (optionsEnded || !a.starts_with('-') || a == "-" || isNegativeNumber(a)) {
      problem = positional(a);
    } else {
      const std::size_t eq = a.starts_with("--") ? a.find('=') : std::string_view::npos;
      const std::string_view name = a.substr(0, eq);
      const auto o = std::ranges::find(options, name, &Option::name);
      if (o == options.end() || (!o->takesValue && eq != std::string_view::npos)) {
        if (undeclared == Undeclared::unknownOption) return fail("unknown option '" + std::string(a) + "'");
        problem = positional(a);
      } else if (!o->takesValue) {
        problem = o->take({});
      } else if (eq != std::string_view::npos) {
        problem = o->take(a.substr(eq + 1));
      } else if (i + 1 < args.size()) {
        problem = o->take(args[++i]);
      } else {
        return fail(std::string(name) + ' ' + std::string(o->missing));
      }
    }
    if (problem) return fail(*problem);
  }
  return {};
}

bool parseNumber(std::string_view text, double& value) {
  const std::optional<double> v = qv::decimalNumber(text);
  if (v) value = *v;
  return v.has_value();
}

}  // namespace qvcode
