// The spellings of a Quorvel code in the case's working values: the code
// text of the double conversion, the report line's and the first-case
// caption's spacing of it, and the component's whole-kilometre form.  Hour
// 11, offset 6.6 km, distance 236.8 km reads " m11:6.6 r236.8", "     m11:6.6
// r236.8" (two blanks before the r) in a report line, "m11:6.6  r236.8" in the
// caption, and "m11:6 r236" in whole km.
#pragma once

#include <cstdint>
#include <string>

#include "conversion/code_text.hpp"
#include "conversion/detail/case_values.hpp"
#include "conversion/detail/error_mode.hpp"

namespace qv {

// The texts of a converted code, `disttext`, `versatztext` and `codetext`,
// made where they are shown or written, each a step of the case's `mode`.
// The distances of a conversion (0..20012.4 km) never make them fail; a text
// that does fail under skip-on-error mode stays empty, and the code text is
// built without it (" m11: r236.8").
void codeTexts(std::int16_t stunde, CaseValues& v, ErrorMode& mode);

// " m<hour>:<offset> r<distance>", with its leading blank.
std::string codeText(std::int16_t stunde, const std::string& versatztext, const std::string& disttext);

// The report line's spelling, "     m<hour>:<offset>  r<distance>", written at
// `out` (room for reportCodeRoom characters) from the offset and distance in
// km; returns its end.  Each one-decimal text is a step of `mode`: one that
// fails under skip-on-error mode leaves its piece out ("     m11:  r236.8").
inline constexpr std::size_t reportCodeRoom = 12 + 2 * oneDecimalRoom;
char* writeReportCode(char* out, std::int16_t stunde, double versatzkm, double distkm, ErrorMode& mode);

// The first-case caption, "m<hour>:<offset>  r<distance>".
std::string captionCode(std::int16_t stunde, const std::string& versatztext, const std::string& disttext);

// The whole-kilometre form, "m<hour>:<offset> r<distance>", without a leading
// blank; offset and distance are whole numbers held in single precision.
std::string wholeKmCode(std::int16_t stunde, float versatzganz, float distganz);

}  // namespace qv
