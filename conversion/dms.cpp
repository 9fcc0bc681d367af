// The degree, minute and second split of an angle for display.

#include "conversion/dms.hpp"

#include <cmath>

#include "conversion/detail/checked_math.hpp"
#include "conversion/number_text.hpp"

namespace qv {

DmsParts dmsParts(double a) {
  const double m = checked(std::fabs(a - std::trunc(a)) * 60);
  const double wholeMinutes = std::floor(m);
  return {std::trunc(std::fabs(a)), wholeMinutes, std::floor(checked((m - wholeMinutes) * 6000)) / 100};
}

DmsText splitDegrees(double a) {
  const DmsParts p = dmsParts(a);
  return {plainNumberText(p.degrees), plainNumberText(p.minutes), plainNumberText(p.seconds)};
}

}  // namespace qv
