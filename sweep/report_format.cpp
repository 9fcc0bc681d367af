// Framing records, the closing line, back texts, and reading records back.

#include "sweep/report_format.hpp"

#include <algorithm>

#include "conversion/number_text.hpp"

namespace qvsweep {

std::string record(std::string_view text) {
  std::string r;
  appendRecord(r, text);
  return r;
}

void appendRecord(std::string& records, std::string_view text) {
  records += recordStart;
  records += text;
  records += recordEnd;
}

std::string closingLine(std::int64_t cases) { return "cases= " + qv::numberText(cases); }

char* writeBackText(char* out, const std::optional<double>& value) {
  if (!value) return out;
  char text[qv::numberTextRoom];
  const char* end = qv::writePlainNumberText(text, *value);
  return std::copy<const char*>(text, std::min<const char*>(end, text + backTextLength), out);
}

std::string backText(const std::optional<double>& value) {
  char text[backTextLength];
  return {text, static_cast<std::size_t>(writeBackText(text, value) - text)};
}

std::size_t wholeRecordsEnd(std::string_view bytes) {
  const std::size_t last = bytes.rfind(recordEnd);
  return last == std::string_view::npos ? 0 : last + recordEnd.size();
}

std::optional<std::string_view> takeRecord(std::string_view& bytes) {
  const std::size_t end = bytes.find(recordEnd);
  if (end == std::string_view::npos) return std::nullopt;
  const std::string_view taken = bytes.substr(0, end + recordEnd.size());
  bytes.remove_prefix(taken.size());
  return taken;
}

std::optional<std::string_view> recordText(std::string_view record) {
  if (!record.starts_with(recordStart)) return std::nullopt;
  const std::size_t end = record.find(recordEnd, recordStart.size());
  if (end == std::string_view::npos || end + recordEnd.size() != record.size()) return std::nullopt;
  return record.substr(recordStart.size(), end - recordStart.size());
}

std::optional<CasePositionTexts> casePositionTexts(std::string_view record) {
  if (!record.starts_with(recordStart)) return std::nullopt;
  record.remove_prefix(recordStart.size());
  if (!record.starts_with(latitudeLabel)) return std::nullopt;
  record.remove_prefix(latitudeLabel.size());
  const std::size_t l = record.find(longitudeLabel);
  if (l == std::string_view::npos) return std::nullopt;
  const std::string_view latitude = record.substr(0, l);
  record.remove_prefix(l + longitudeLabel.size());
  // The code follows after blanks; a number text holds at most one.
  const std::size_t end = record.find("  ");
  if (end == std::string_view::npos) return std::nullopt;
  return CasePositionTexts{latitude, record.substr(0, end)};
}

}  // namespace qvsweep
