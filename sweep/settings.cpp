// Reading and settling a sweep's settings.

#include "sweep/settings.hpp"

#include <cmath>

#include "conversion/detail/checked_math.hpp"
#include "conversion/detail/text_value.hpp"

namespace qvsweep {
namespace {

void settleStep(std::string& step) {
  if (qv::textValue(step) == 0) step = "60";
}

void settleRange(const std::string& upper, std::string& lower) {
  if (qv::textValue(upper) < qv::textValue(lower)) lower = upper;
}

}  // namespace

void readNumbers(const SweepTexts& t, SweepSettings& s) {
  s.latitudeFrom = qv::textValue(t.latitudeFrom);
  s.latitudeTo = qv::textValue(t.latitudeTo);
  s.latitudeStep = qv::textValue(t.latitudeStep);
  s.longitudeFrom = qv::textValue(t.longitudeFrom);
  s.longitudeTo = qv::textValue(t.longitudeTo);
  s.longitudeStep = qv::textValue(t.longitudeStep);
  s.toleranceSeconds = qv::textValue(t.tolerance);
}

void settle(SweepTexts& t) {
  settleStep(t.longitudeStep);
  settleStep(t.latitudeStep);
  settleRange(t.latitudeFrom, t.latitudeTo);
  settleRange(t.longitudeFrom, t.longitudeTo);
}

void settle(SweepSettings& s) {
  if (s.longitudeStep == 0) s.longitudeStep = 60;
  if (s.latitudeStep == 0) s.latitudeStep = 60;
  if (s.latitudeFrom < s.latitudeTo) s.latitudeTo = s.latitudeFrom;
  if (s.longitudeFrom < s.longitudeTo) s.longitudeTo = s.longitudeFrom;
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
