// The spellings of a Quorvel code and the one-decimal text of its distances.

#include "code_text.hpp"

#include <cmath>
#include <limits>

#include "checked_math.hpp"
#include "number_text.hpp"

namespace qv {
namespace {

// m<hour>:<offset><gap>r<distance>, after `lead`.
std::string& appendCode(std::string& to, const char* lead, std::int16_t stunde, const std::string& versatz,
                        const char* gap, const std::string& dist) {
  const std::string hour = hourText(stunde);
  return to.append(lead).append(hour).append(":").append(versatz).append(gap).append(dist);
}

}  // namespace

std::string oneDecimalText(double v) {
  // Mod works on whole numbers: v·10 is first rounded half-even (the default
  // rounding mode) into the 32-bit range.
  const double tenths = std::nearbyint(checked(v * 10));
  if (tenths > std::numeric_limits<std::int32_t>::max() || tenths < std::numeric_limits<std::int32_t>::min())
    throw RuntimeError(ErrorKind::Overflow);
  const auto t = static_cast<std::int32_t>(tenths) % 10;
  std::string text = numberText(std::floor(v));
  text.erase(0, 1);
  if (text.size() > 5) text.resize(5);
  if (t != 0) {
    text += '.';
    text += std::to_string(t);
  }
  return text;
}

std::string hourText(std::int16_t stunde) { return leftCut(plainNumberText(std::int64_t{stunde}), 2); }

std::string codeText(std::int16_t stunde, const std::string& versatztext, const std::string& disttext) {
  std::string text;
  text.reserve(8 + versatztext.size() + disttext.size());
  return appendCode(text, " m", stunde, versatztext, " r", disttext);
}

void appendReportCode(std::string& line, std::int16_t stunde, const std::string& versatztext,
                      const std::string& disttext) {
  appendCode(line, "     m", stunde, versatztext, "  r", disttext);
}

std::string captionCode(std::int16_t stunde, const std::string& versatztext, const std::string& disttext) {
  std::string text;
  return appendCode(text, "m", stunde, versatztext, "  r", disttext);
}

std::string wholeKmCode(std::int16_t stunde, float versatzganz, float distganz) {
  std::string text;
  return appendCode(text, "m", stunde, plainNumberText(versatzganz), " r", plainNumberText(distganz));
}

}  // namespace qv
