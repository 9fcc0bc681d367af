// The report line of a case, straight into the buffer of records.

#include "report_line.hpp"

#include <algorithm>
#include <cstring>

#include "back_text.hpp"
#include "code_text.hpp"

namespace qvpruef {
namespace {

// The longest record: two number texts, two one-decimal texts, two cut
// texts, an hour and the fixed pieces, with room to spare.
constexpr std::size_t recordRoom = 4 * qv::numberTextRoom + 2 * qv::oneDecimalRoom + 64;

char* put(char* out, const char* text, std::size_t n) { return static_cast<char*>(std::memcpy(out, text, n)) + n; }
template <std::size_t N>
char* put(char* out, const char (&text)[N]) {
  return put(out, text, N - 1);
}

char* putHour(char* out, std::int16_t stunde) {
  if (stunde >= 1 && stunde <= 9) {
    *out++ = static_cast<char>('0' + stunde);
    return out;
  }
  if (stunde >= 10 && stunde <= 12) {
    *out++ = '1';
    *out++ = static_cast<char>('0' + stunde - 10);
    return out;
  }
  const std::string h = qv::hourText(stunde);
  return put(out, h.data(), h.size());
}

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
  const Text& lat = numberText(latitudes_[latitudeIndex], p.Bdez);
  const Text& lon = numberText(longitude_, p.Ldez);

  const std::size_t start = records.size();
  records.resize(start + recordRoom);
  char* out = records.data() + start;
  out = put(out, "\" lat ");
  out = put(out, lat.chars, lat.size);
  out = put(out, "  long ");
  out = put(out, lon.chars, lon.size);
  out = put(out, "     m");
  out = putHour(out, p.stunde);
  *out++ = ':';
  mode.step([&] { out = qv::writeOneDecimal(out, p.versatzkm); });
  out = put(out, "  r");
  mode.step([&] { out = qv::writeOneDecimal(out, p.distkm); });
  out = put(out, "   lat ");
  out = writeBackText(out, p.Bdezbk);
  out = put(out, " long ");
  out = writeBackText(out, p.Ldezbk);
  out = put(out, "\"\r\n");
  records.resize(static_cast<std::size_t>(out - records.data()));
}

}  // namespace qvpruef
