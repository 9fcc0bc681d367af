#include "code_text.hpp"

#include <cmath>
#include <limits>

#include "checked_math.hpp"
#include "number_text.hpp"

namespace qv {

std::string oneDecimalText(double v) {
  // Mod works on whole numbers: v·10 is first rounded half-even (the default
  // rounding mode) into the 32-bit range.
  const double tenths = std::nearbyint(checked(v * 10));
  if (tenths > std::numeric_limits<std::int32_t>::max() || tenths < std::numeric_limits<std::int32_t>::min())
    throw RuntimeError(ErrorKind::Overflow);
  const auto t = static_cast<std::int32_t>(tenths) % 10;
  std::string text = leftCut(numberText(std::floor(v)).substr(1), 5);
  if (t != 0) text += "." + std::to_string(t);
  return text;
}

std::string hourText(std::int16_t stunde) { return leftCut(plainNumberText(std::int64_t{stunde}), 2); }

std::string codeText(std::int16_t stunde, const std::string& versatztext, const std::string& disttext) {
  return " m" + hourText(stunde) + ":" + versatztext + " r" + disttext;
}

}  // namespace qv
