// The report file's format, for whoever writes a report or reads one back: its records, a case's line and the closing
// line.
#pragma once
//
// A report is records and nothing else, no header and no other quoting:
// each is its line's text in double quotes followed by CR LF.  No text holds
// a double quote, so the first `"` CR LF after a record's start ends it.
// A case line:
//   " lat  50  long  10     m11:6.6  r236.8   lat 49.9999 long 9.99999"
// the input latitude and longitude as number texts (a blank before a
// non-negative number, full precision), the code in the report's spacing
// (written by the conversion), and the position back in back texts.  The
// closing line ("cases=  256683") ends the report of a sweep that ran to its
// end; a report without it is that of a sweep that stopped, or a shard's
// part, whose merge writes it.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qvsweep {

// The framing of every record: before its text, and after it.
inline constexpr std::string_view recordStart = "\"", recordEnd = "\"\r\n";

// `text` as a record.
std::string record(std::string_view text);
// The same, appended to `records`.
void appendRecord(std::string& records, std::string_view text);

// The closing line's text: "cases= " and the number text of the count, so
// two blanks before a count ("cases=  256683").
std::string closingLine(std::int64_t cases);

// A case line's pieces around its texts, in the line's order: the label of
// the input latitude, of the input longitude (after which the code
// follows), and of the latitude and longitude back.
inline constexpr std::string_view latitudeLabel = " lat ", longitudeLabel = "  long ";
inline constexpr std::string_view latitudeBackLabel = "   lat ", longitudeBackLabel = " long ";

// The back text of a value of the position back, as the case line and the
// test window's first-case display show it: the first 7 characters of its
// plain number text, counting a minus sign and the point, not filled up
// ("-88.999", "180"; an exponent form may lose its exponent: "-1.2722" for
// -1.27E-14).  An empty value (its step skipped) gives the empty text.
inline constexpr std::size_t backTextLength = 7;
std::string backText(const std::optional<double>& value);
// The same written at `out`, which has room for backTextLength characters;
// returns its end.
char* writeBackText(char* out, const std::optional<double>& value);

// Where the whole records at the start of `bytes` end: just past the last
// record end in them, 0 where none ends there.  What follows is the start
// of a record.
std::size_t wholeRecordsEnd(std::string_view bytes);

// The first record of `bytes`, with its framing, taken off their front (a
// view into them); nothing (and `bytes` as they were) where no record ends
// in them.
std::optional<std::string_view> takeRecord(std::string_view& bytes);

// The text of one record (with its framing); nothing for bytes that are not
// one record.
std::optional<std::string_view> recordText(std::string_view record);

// The texts of a case's input position as its line holds them (" 50",
// "-33.87"), read from the case's record and viewing into it; nothing for a
// record that is no case line (the closing line, another file's line).
struct CasePositionTexts {
  std::string_view latitude, longitude;
};
std::optional<CasePositionTexts> casePositionTexts(std::string_view record);

}  // namespace qvsweep
