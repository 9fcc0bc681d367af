// The report line of a case, straight into the buffer of records.

#include "sweep/detail/report_line.hpp"

#include <cstring>

#include "conversion/detail/case_texts.hpp"
#include "sweep/report_format.hpp"

namespace qvsweep {
namespace {

// The longest record: two number texts, the code, two cut texts and the
// fixed pieces, with room to spare.
constexpr std::size_t recordRoom = 4 * qv::numberTextRoom + qv::reportCodeRoom + 64;

char* put(char* out, const char* text, std::size_t n) { return static_cast<char*>(std::memcpy(out, text, n)) + n; }
char* put(char* out, std::string_view text) { return put(out, text.data(), text.size()); }

}  // namespace

const ReportLineWriter::Text& ReportLineWriter::numberText(Text& memo, double v) {
  if (!memo.made || !(memo.value == v)) {
    memo.size = static_cast<std::size_t>(qv::writeNumberText(memo.chars, v) - memo.chars);
    memo.value = v;
    memo.made = true;
  }
  return memo;
}

void ReportLineWriter::append(std::string& records, const qv::RoundTripPoint& p, std::size_t latitudeIndex,
                              qv::ErrorMode& mode) {
  if (latitudeIndex >= latitudes_.size()) latitudes_.resize(latitudeIndex + 1);
  const Text& lat = numberText(latitudes_[latitudeIndex], p.latitude);
  const Text& lon = numberText(longitude_, p.longitude);

  const std::size_t start = records.size();
  records.resize(start + recordRoom);
  char* out = records.data() + start;
  out = put(out, recordStart);
  out = put(out, latitudeLabel);
  out = put(out, lat.chars, lat.size);
  out = put(out, longitudeLabel);
  out = put(out, lon.chars, lon.size);
  out = qv::writeReportCode(out, p.hour, p.offsetKm, p.distanceKm, mode);
  out = put(out, latitudeBackLabel);
  out = writeBackText(out, p.latitudeBack);
  out = put(out, longitudeBackLabel);
  out = writeBackText(out, p.longitudeBack);
  out = put(out, recordEnd);
  records.resize(static_cast<std::size_t>(out - records.data()));
}

}  // namespace qvsweep
