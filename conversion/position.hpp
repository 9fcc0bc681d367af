// A position on the sphere, and the error of a text or numbers that are none.
#pragma once

#include <stdexcept>

namespace qv {

// Decimal degrees, north and east positive.
struct Position {
  double latitude = 0, longitude = 0;
};

// A text or a pair of numbers that is no position; the message says why
// (quoting a text with its control bytes escaped).
class PositionError : public std::invalid_argument {
 public:
  using std::invalid_argument::invalid_argument;
};

}  // namespace qv
