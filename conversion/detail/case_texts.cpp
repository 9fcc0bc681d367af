// The code's spellings in the case's working values.

#include "conversion/detail/case_texts.hpp"

#include <algorithm>

#include "conversion/number_text.hpp"

namespace qv {
namespace {

// m<hour>:<offset><gap>r<distance>, after `lead`.
std::string& appendCode(std::string& to, const char* lead, std::int16_t stunde, const std::string& versatz,
                        const char* gap, const std::string& dist) {
  const std::string hour = hourText(stunde);
  return to.append(lead).append(hour).append(":").append(versatz).append(gap).append(dist);
}

}  // namespace

void codeTexts(std::int16_t stunde, CaseValues& v, ErrorMode& mode) {
  mode.step([&] { v.disttext = oneDecimalText(v.distkm); });
  mode.step([&] { v.versatztext = oneDecimalText(v.versatzkm); });
  mode.step([&] { v.codetext = codeText(stunde, v.versatztext, v.disttext); });
}

std::string codeText(std::int16_t stunde, const std::string& versatztext, const std::string& disttext) {
  std::string text;
  text.reserve(8 + versatztext.size() + disttext.size());
  return appendCode(text, " m", stunde, versatztext, " r", disttext);
}

char* writeReportCode(char* out, std::int16_t stunde, double versatzkm, double distkm, ErrorMode& mode) {
  out = std::copy_n("     m", 6, out);
  out = writeHour(out, stunde);
  *out++ = ':';
  mode.step([&] { out = writeOneDecimal(out, versatzkm); });
  out = std::copy_n("  r", 3, out);
  mode.step([&] { out = writeOneDecimal(out, distkm); });
  return out;
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
