// Reading a code text back into its values, and the position of those values.

#include "conversion/code_reader.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "conversion/detail/angles.hpp"
#include "conversion/code_cover.hpp"
#include "conversion/detail/decimal_number.hpp"
#include "conversion/detail/hour_sector.hpp"
#include "conversion/detail/inverse.hpp"
#include "conversion/precise_code.hpp"
#include "conversion/printable_text.hpp"
#include "conversion/detail/reference_point.hpp"
#include "conversion/runtime_error.hpp"

namespace qv {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

class Cursor {
 public:
  explicit Cursor(std::string_view t) : text_(t) {}
  bool accept(std::string_view s) {
    if (text_.substr(pos_, s.size()) != s) return false;
    pos_ += s.size();
    return true;
  }
  // Digits with at most one point, as the code texts write a distance;
  // `point` is where the point stands in them, or their size.
  std::string_view number(std::size_t& point) {
    const std::size_t start = pos_;
    point = std::string_view::npos;
    while (pos_ < text_.size() && (isDigit(text_[pos_]) || (text_[pos_] == '.' && point == std::string_view::npos))) {
      if (text_[pos_] == '.') point = pos_ - start;
      ++pos_;
    }
    if (point == std::string_view::npos) point = pos_ - start;
    return text_.substr(start, pos_ - start);
  }
  std::string_view number() {
    std::size_t point = 0;
    return number(point);
  }
  std::string_view rest() const { return text_.substr(pos_); }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

// Exactly `decimals` decimals after the whole kilometres, which have no
// leading zero; `point` is where the point stands in `t`, or its size.
bool hasDecimals(std::string_view t, std::size_t point, int decimals) {
  if (point == 0 || (point > 1 && t.front() == '0')) return false;
  const std::size_t count = point == t.size() ? 0 : t.size() - point - 1;
  return count == static_cast<std::size_t>(decimals) && (decimals > 0 || point == t.size());
}

// Kilometres as the code texts write them: the whole kilometres without a
// leading zero, then at most one decimal, which is never 0 ("236", "236.8",
// "0.5"; not "00236", "236.0", ".5" or "236.80").
bool asWritten(std::string_view t, std::size_t point) {
  return hasDecimals(t, point, 0) || (hasDecimals(t, point, 1) && t.back() != '0');
}

// The kilometres of one field.  `decimals` is that of a precise code, or
// negative for the code text's own spelling.
double kilometres(Cursor& c, const char* field, int decimals, std::string_view& digits) {
  std::size_t point = 0;
  digits = c.number(point);
  if (!digits.empty() && c.rest().size() > 1 && c.rest().front() == ',' && isDigit(c.rest()[1]))
    throw CodeFormatError(std::string(field) + " '" + std::string(digits) + "," +
                          std::string(c.rest().substr(1, c.rest().find_first_not_of("0123456789", 1) - 1)) +
                          "' has a decimal comma: codes write a decimal point, as in 236.8");
  if (digits.empty()) throw CodeFormatError(std::string(field) + " is missing or not a number of kilometres");
  if (decimals >= 0 && !hasDecimals(digits, point, decimals))
    throw CodeFormatError(std::string(field) + " '" + std::string(digits) + "' is not written with " +
                          std::to_string(decimals) + " decimals and no leading zeros, as the precise code asked for");
  if (decimals < 0 && !asWritten(digits, point)) {
    // Well-formed kilometres with more decimals: a precise code, read as such.
    if (point < digits.size() && digits.size() - point - 1 >= 2 &&
        hasDecimals(digits, point, static_cast<int>(digits.size() - point - 1)))
      throw CodeFormatError(std::string(field) + " '" + std::string(digits) +
                            "' has more decimals than codes write; a precise code is read with --precision N");
    throw CodeFormatError(std::string(field) + " '" + std::string(digits) +
                          "' is not written as codes write kilometres: whole kilometres without leading zeros "
                          "and at most one decimal other than 0, as in 236.8, 236 or 0.5");
  }
  // Only more digits than a double holds are out of range: far beyond the
  // sphere, which the range checks report.
  return unsignedDecimal(digits, point).value_or(std::numeric_limits<double>::infinity());
}

// Whether an offset is within reach of a point that far away without asking
// maxOffsetKm.  The largest offset is 2·asin(sin c · sin 15°) for the
// central angle c, at least 2·sin 15°·sin c ≥ 0.5176·c'·(1 − c'²/6) with c'
// the shorter of c and its way on to the antipode (c' ≤ π/2); an offset
// below 0.5·c'·(1 − c'²/6), in km, is in reach with 3 % to spare.  Within a
// kilometre of either end the arc cosine of maxOffsetKm is too coarse to
// rely on the bound, and it is asked.
bool plainlyInReach(double offsetKm, double distanceKm) {
  const double shorter = std::min(distanceKm, maxDistanceKm - distanceKm);
  const double angle = degToRad(shorter / kmPerDegree);
  return shorter >= 1 && offsetKm <= 0.5 * shorter * (1 - angle * angle / 6);
}

// A code text (decimals negative) or a precise code of `decimals` decimals.
CodeValues readCodeWith(std::string_view text, int decimals) {
  // Blanks and tabs around the code, its own leading blank among them, as
  // around a position.
  const std::size_t from = text.find_first_not_of(" \t");
  text =
      from == std::string_view::npos ? std::string_view() : text.substr(from, text.find_last_not_of(" \t") + 1 - from);
  Cursor c(text);
  if (!c.accept("m")) throw CodeFormatError("code must start with 'm' (as in \"m11:6.6 r236.8\")");

  const std::string_view hour = c.number();
  int h = 0;
  const auto hourRes = std::from_chars(hour.data(), hour.data() + hour.size(), h);
  if (hour.empty() || hourRes.ptr != hour.data() + hour.size() || h < 1 || h > 12)
    throw CodeFormatError("hour '" + std::string(hour) + "' is not a whole number from 1 to 12");
  if (hour.front() == '0')
    throw CodeFormatError("hour '" + std::string(hour) +
                          "' is not written as codes write it: 1 to 12, no leading zero");
  if (!c.accept(":")) throw CodeFormatError("missing ':' after the hour");

  CodeValues v;
  v.hour = static_cast<std::int16_t>(h);
  std::string_view offset, distance;
  v.offsetKm = kilometres(c, "offset", decimals, offset);
  // One blank in the code text, two in the report line and the window.
  if (!c.accept(" r") && !c.accept("  r")) throw CodeFormatError("missing ' r' before the distance");
  v.distanceKm = kilometres(c, "distance", decimals, distance);
  if (!c.rest().empty()) throw CodeFormatError("unexpected text '" + printableText(c.rest()) + "' after the distance");

  if (v.distanceKm > maxDistanceKm)
    throw CodeFormatError("distance " + std::string(distance) +
                          " km lies beyond the farthest point of the sphere, 20012.4 km");
  if (plainlyInReach(v.offsetKm, v.distanceKm)) return v;
  // Some position must have the code: an offset that the conversion computes
  // at a distance that is written so, each over the values its digits stand
  // for (the code text's truncated whole kilometres included).
  if (!hasPositions(writtenRanges(distance, decimals), writtenRanges(offset, decimals)))
    throw CodeFormatError("offset " + std::string(offset) + " km is more than a point " + std::string(distance) +
                          " km away can have");
  v.offsetKm = std::min(v.offsetKm, maxOffsetKm(v.distanceKm));
  return v;
}

}  // namespace

double maxOffsetKm(double distanceKm) {
  const double c = degToRad(distanceKm / kmPerDegree);
  const double cosv = std::cos(c) * std::cos(c) + std::sin(c) * std::sin(c) * std::cos(degToRad(sectorDegrees));
  return radToDeg(std::acos(std::clamp(cosv, -1.0, 1.0))) * kmPerDegree;
}

double offsetWithinReach(double offsetKm, double distanceKm) {
  return plainlyInReach(offsetKm, distanceKm) ? offsetKm : std::min(offsetKm, maxOffsetKm(distanceKm));
}

CodeValues readCode(std::string_view text) { return readCodeWith(text, -1); }

CodeValues readPreciseCode(std::string_view text, int decimals) { return readCodeWith(text, decimals); }

Position positionOf(const CodeValues& code) {
  for (double nudgeKm = 0;; nudgeKm = nudgeKm == 0 ? 1e-7 : nudgeKm * 2) {
    CaseValues v;
    v.distkm = code.distanceKm;
    v.versatzkm = offsetWithinReach(code.offsetKm + nudgeKm, code.distanceKm);
    ErrorMode mode;
    try {
      inverseConversion(code.hour, v, mode);
      return {v.Bdezbk.value_or(0), v.Ldezbk.value_or(0)};
    } catch (const RuntimeError&) {
      if (nudgeKm > 1e-3) throw;
    }
  }
}

}  // namespace qv
