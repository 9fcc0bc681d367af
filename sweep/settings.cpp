// Reading a sweep's settings from what was typed, settling its grid on the way.

#include "sweep/settings.hpp"

#include <cmath>

#include "conversion/detail/checked_math.hpp"
#include "conversion/detail/text_value.hpp"

namespace qvsweep {
namespace {

// The rule is kept on the texts, where the window shows it; the numbers are
// read from what it leaves.
void settleStep(std::string& step) {
  if (qv::textValue(step) == 0) step = "60";
}

void settleRange(const std::string& upper, std::string& lower) {
  if (qv::textValue(upper) < qv::textValue(lower)) lower = upper;
}

}  // namespace

void readSettings(SweepTexts& t, SweepSettings& s) {
  settleStep(t.longitudeStep);
  settleStep(t.latitudeStep);
  settleRange(t.latitudeFrom, t.latitudeTo);
  settleRange(t.longitudeFrom, t.longitudeTo);
  s.latitudeFrom = qv::textValue(t.latitudeFrom);
  s.latitudeTo = qv::textValue(t.latitudeTo);
  s.latitudeStep = qv::textValue(t.latitudeStep);
  s.longitudeFrom = qv::textValue(t.longitudeFrom);
  s.longitudeTo = qv::textValue(t.longitudeTo);
  s.longitudeStep = qv::textValue(t.longitudeStep);
  s.toleranceSeconds = qv::textValue(t.tolerance);
}

double toleranceMetres(double seconds, int decimals) {
  const double scale = decimals == 5 ? 100000.0 : 100.0;
  double x = qv::checked(seconds * 1111.8);
  x = qv::checked(x / 36);
  x = qv::checked(x * scale);
  x = std::floor(x);
  return x / scale;
}

}  // namespace qvsweep
