// One line or one point to the page's JSON answer.

#include "web/wasm/answers.hpp"

#include <limits>
#include <stdexcept>

#include "conversion/code_cover.hpp"
#include "conversion/conversion.hpp"
#include "conversion/precise_code.hpp"
#include "conversion/runtime_error.hpp"
#include "web/wasm/fields.hpp"
#include "web/wasm/page_lines.hpp"

namespace web {
namespace {

std::string failure(const std::string& reason) {
  std::string out;
  JsonObject(out).text("error", reason);
  return out;
}

std::string positionAnswer(const qv::Position& given, const qv::Position& used, int decimals) {
  const qv::Code c = qv::encode(used.latitude, used.longitude);
  std::string out;
  JsonObject o(out);
  o.text("kind", "position")
      .number("latitudeGiven", given.latitude)
      .number("longitudeGiven", given.longitude)
      .number("latitude", c.latitude)
      .number("longitude", c.longitude)
      .integer("hour", c.hour)
      .number("distanceKm", c.distanceKm)
      .number("offsetKm", c.offsetKm)
      .number("bearingDegrees", c.bearingDegrees)
      .number("sectorAngleDegrees", c.sectorAngleDegrees)
      .text("code", c.text);
  if (decimals >= 0) o.text("preciseCode", qv::preciseCodeText(c.hour, c.offsetKm, c.distanceKm, decimals));
  return out;
}

std::string codeAnswer(std::string_view line, int decimals) {
  const std::string_view text = codeText(line);
  const qv::CodeValues code = readPageCode(line, decimals);
  const qv::Position p = qv::positionOf(code);
  // How far the positions with this code can lie from the one returned;
  // unknown where a corner of the code's patch cannot be converted.
  double farthestKm = std::numeric_limits<double>::quiet_NaN();
  try {
    farthestKm = qv::coverOf(text, decimals, code, p).farthestKm;
  } catch (const qv::RuntimeError&) {
  }
  std::string out;
  JsonObject(out)
      .text("kind", "code")
      .text("code", text)
      .integer("hour", code.hour)
      .number("offsetKm", code.offsetKm)
      .number("distanceKm", code.distanceKm)
      .number("farthestKm", farthestKm)
      .number("latitude", p.latitude)
      .number("longitude", p.longitude);
  return out;
}

}  // namespace

std::string answerOfLine(std::string_view line, int decimals) {
  if (const auto problem = lengthProblem(line)) return failure(*problem);
  try {
    switch (kindOf(line)) {
      case LineKind::blank: return failure("nothing to show: type a position or a code");
      case LineKind::code: return codeAnswer(line, decimals);
      case LineKind::comment:
      case LineKind::position: break;
    }
    const qv::GivenPosition p = qv::readGivenPosition(line);
    return positionAnswer(p.given, p.used, decimals);
  } catch (const std::exception& e) {
    return failure(failureText(e));
  }
}

std::string answerOfPoint(double latitude, double longitude, int decimals) {
  try {
    return positionAnswer({latitude, longitude}, qv::takePosition(latitude, longitude), decimals);
  } catch (const std::exception& e) {
    return failure(failureText(e));
  }
}

}  // namespace web
