// Holding a shard's summary against its part and its grid.

#include "qvcode/part_check.hpp"

#include <optional>
#include <stdexcept>

#include "conversion/number_text.hpp"
#include "sweep/report_format.hpp"
#include "sweep/sweep.hpp"

namespace qvcode {
namespace {

constexpr std::int64_t mostLatitudes = 100'000'000;

std::string_view trimmed(std::string_view text) { return text.starts_with(' ') ? text.substr(1) : text; }

std::string where(std::string_view latitude, std::string_view longitude) {
  return "latitude " + std::string(trimmed(latitude)) + ", longitude " + std::string(trimmed(longitude));
}

std::string lines(std::int64_t n, const char* what) {
  return std::to_string(n) + ' ' + what + (n == 1 ? " line" : " lines");
}

// The latitudes every column of the grid visits; nothing for box texts that
// no sweep could start from or more than mostLatitudes.
std::optional<qvsweep::ColumnLatitudes> latitudesOf(qvsweep::SweepTexts texts) {
  qvsweep::SweepSettings settings;
  try {
    qvsweep::readSettings(texts, settings);
  } catch (const std::exception&) {
    return std::nullopt;
  }
  return qvsweep::columnLatitudes(settings, mostLatitudes);
}

}  // namespace

void PartRecords::take(std::string_view records) {
  while (const std::optional<std::string_view> record = qvsweep::takeRecord(records)) {
    if (count_++ == 0) first_ = *record;
    if (records.empty()) last_ = *record;
  }
}

void checkShard(const ShardSummary& s, const PartRecords& part, const std::string& summaryPath,
                const std::string& partPath) {
  const auto refuse = [&](const std::string& what) { throw std::runtime_error("'" + summaryPath + "': " + what); };
  const std::string itsPart = "its part '" + partPath + "'";
  bool storeAll = false;
  qvsweep::SweepTexts texts;
  if (!readGridText(s.grid, storeAll, texts)) refuse("its grid is none that a sweep writes");
  const auto first = qvsweep::casePositionTexts(part.first()), last = qvsweep::casePositionTexts(part.last());
  if (part.count() > 0 && (!first || !last)) refuse(itsPart + " holds a line that is no case line");

  if (storeAll) {
    if (s.errors != 0)
      refuse("it counts " + std::to_string(s.errors) + " error cases, but a sweep that stores every case judges none");
    // The case that stops a sweep may count without its line.
    if (part.count() != s.cases && !(s.stopReason && part.count() + 1 == s.cases))
      refuse("it counts " + std::to_string(s.cases) + " cases, but " + itsPart + " holds " +
             lines(part.count(), "case"));
  } else {
    if (part.count() != s.errors)
      refuse("it counts " + std::to_string(s.errors) + " error cases, but " + itsPart + " holds " +
             lines(part.count(), "error"));
    if (s.firstErrorKept && s.firstError && part.count() > 0) {
      const std::string said = qv::numberText(s.firstError->latitude), saidL = qv::numberText(s.firstError->longitude);
      if (first->latitude != said || first->longitude != saidL)
        refuse("its first error case lies at " + where(said, saidL) + ", but the first line of " + itsPart + " at " +
               where(first->latitude, first->longitude));
    } else if (s.firstErrorKept && (s.firstError || part.count() > 0)) {
      refuse(s.firstError ? "it names a first error case, but " + itsPart + " holds no line"
                          : "it names no first error case, but the first line of " + itsPart + " lies at " +
                                where(first->latitude, first->longitude));
    }
  }

  const std::optional<qvsweep::ColumnLatitudes> latitudes = latitudesOf(texts);
  if (!latitudes) return;
  const auto columns = static_cast<std::int64_t>(s.endColumn - s.firstColumn);
  std::int64_t cases = 0;
  if (__builtin_mul_overflow(columns, latitudes->count, &cases)) return;
  if (s.stopReason ? s.cases > cases : s.cases != cases)
    refuse("it counts " + std::to_string(s.cases) + " cases, but its " + std::to_string(columns) + " columns of " +
           std::to_string(latitudes->count) + " latitudes hold " + (s.stopReason ? "at most " : "") +
           std::to_string(cases));
  if (!storeAll || s.stopReason || part.count() == 0) return;
  const auto atLatitude = [&](std::string_view line, double latitude, const char* which, const char* columnsDo) {
    const std::string expected = qv::numberText(latitude);
    if (line != expected)
      refuse(std::string("the ") + which + " line of " + itsPart + " lies at latitude " + std::string(trimmed(line)) +
             ", but its columns " + columnsDo + " at latitude " + std::string(trimmed(expected)));
  };
  atLatitude(first->latitude, latitudes->first, "first", "begin");
  atLatitude(last->latitude, latitudes->last, "last", "end");
}

}  // namespace qvcode
