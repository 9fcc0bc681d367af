// The degree, minute and second split of an angle for display.

#include "conversion/dms.hpp"

#include <cmath>

#include "conversion/detail/checked_math.hpp"
#include "conversion/number_text.hpp"

namespace qv {

DmsText splitDegrees(double a) {
  const double m = checked(std::fabs(a - std::trunc(a)) * 60);
  const double wholeMinutes = std::floor(m);
  return {plainNumberText(std::trunc(std::fabs(a))), plainNumberText(wholeMinutes),
          plainNumberText(std::floor(checked((m - wholeMinutes) * 6000)) / 100)};
}

}  // namespace qv
