// qvcode encode: a position to its Quorvel code, with every field on request.

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "command.hpp"
#include "json_writer.hpp"
#include "round_trip.hpp"
#include "runtime_error.hpp"

namespace qvcode {

int runEncode(Args args, std::ostream& out, std::ostream& err) {
  bool json = false;
  std::vector<double> numbers;
  std::optional<qv::RuntimeError> overflow;  // reported once the arguments are complete
  const Option options[] = {flag("--json", json)};
  const Taker number = [&](std::string_view a) -> Problem {
    double v = 0;
    try {
      if (!parseNumber(a, v)) return "'" + std::string(a) + "' is not a number of degrees";
    } catch (const qv::RuntimeError& e) {
      if (!overflow) overflow = e;
    }
    numbers.push_back(v);
    return {};
  };
  if (const Problem problem = readArguments(args, "encode", options, number)) return usageError(err, *problem);
  if (numbers.size() != 2) return usageError(err, "encode takes a latitude and a longitude");

  // The code exists whenever the forward conversion succeeds; a failing
  // inverse only leaves the position back open.
  qv::Encoding e;
  try {
    if (overflow) throw *overflow;
    e = qv::encodePosition(numbers[0], numbers[1]);
  } catch (const qv::RuntimeError& error) {
    return runtimeError(err, error);
  }

  const qv::RoundTrip& t = e.trip;
  const qv::CaseValues& v = t.values;
  if (!json) {
    out << v.codetext.substr(1) << '\n';
    return exitOk;
  }
  JsonObject o(out);
  o.number("latitude", t.Bdez)
      .number("longitude", t.Ldez)
      .integer("stunde", t.stunde)
      .number("distkm", v.distkm)
      .number("versatzkm", v.versatzkm)
      .text("disttext", v.disttext)
      .text("versatztext", v.versatztext)
      .text("codetext", v.codetext)
      .boolean("skipOnError", t.skipOnError);
  v.Bdezbk ? o.number("Bdezbk", *v.Bdezbk) : o.null("Bdezbk");
  v.Ldezbk ? o.number("Ldezbk", *v.Ldezbk) : o.null("Ldezbk");
  o.number("Ybk", v.Ybk);
  if (e.inverseError) o.text("inverseError", e.inverseError->what());
  return exitOk;
}

}  // namespace qvcode
