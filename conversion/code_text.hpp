#pragma once
#include <cstdint>
#include <string>

namespace qv {

// A distance with at most one decimal: the whole part truncated, the tenth
// taken from the value rounded half-even to tenths ("523" for 523.96, "523.1"
// for 523.06), the whole part cut to 5 characters.
std::string oneDecimalText(double v);

// The hour as the codes write it: its digits, at most 2 characters.
std::string hourText(std::int16_t stunde);

// " m<hour>:<offset> r<distance>", with its leading blank.
std::string codeText(std::int16_t stunde, const std::string& versatztext, const std::string& disttext);

}  // namespace qv
