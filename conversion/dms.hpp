// Degrees, minutes and seconds of a signed angle for display.  The sign is
// left to the hemisphere letter; the seconds are truncated, not rounded, to
// hundredths, so 0.5125 (minutes 30.749999999999996 in double) shows 44.99.

#pragma once

#include <string>

namespace qv {

// Whole degrees and whole minutes of |angle|, and its seconds truncated to
// hundredths.
struct DmsParts {
  double degrees, minutes, seconds;
};
DmsParts dmsParts(double angle);

// The same as the system writes each number (plainNumberText).
struct DmsText {
  std::string degrees, minutes, seconds;
};
DmsText splitDegrees(double angle);

}  // namespace qv
