// The report's format: the case line and the closing line as a sweep writes
// them, and the records and positions a reader takes back from its bytes.

#include <string_view>

#include "conversion/number_text.hpp"
#include "sweep/detail/report_line.hpp"
#include "sweep/report_format.hpp"
#include "sweep/tests/sweep_fixture.hpp"

namespace qvsweep {
namespace {

using ReportLine = SweepTest;

TEST_F(ReportLine, OneDigitHourAndBackValuesCutToSevenCharacters) {
  point(47.5, 12);
  ASSERT_FALSE(runSweep(settings).failure);
  EXPECT_EQ(reportLines(), (std::vector<std::string>{
                               " lat  47.5  long  12     m5:7.7  r77.6   lat 47.5000 long 12.0000",
                               "cases=  1",
                           }));
}

TEST_F(ReportLine, TwoDigitHourAndTheWholeNumber180) {
  point(0, 180);
  runSweep(settings);
  ASSERT_EQ(reportLines().size(), 2U);
  EXPECT_EQ(reportLines()[0], " lat  0  long  180     m12:1292  r14545.4   lat 1.27222 long 180");
}

TEST_F(ReportLine, NegativeValuesAndExponentFormsAreCutLikeAnyText) {
  point(0, 0);
  runSweep(settings);
  // The latitude back is about -1.27E-14: the cut keeps the sign and loses
  // the exponent.
  EXPECT_EQ(reportLines()[0], " lat  0  long  0     m6:1292  r5467   lat -1.2722 long 0");

  EXPECT_EQ(backText(-88.9999876543), "-88.999");
  EXPECT_EQ(backText(-179.0000123), "-179.00");
  EXPECT_EQ(backText(180.0), "180");
  EXPECT_EQ(backText(std::nullopt), "");
}

TEST(ClosingLine, CountsAreExactWholeNumbersWithTheirSignBlank) {
  EXPECT_EQ(closingLine(0), "cases=  0");
  EXPECT_EQ(closingLine(1221), "cases=  1221");
  EXPECT_EQ(closingLine(256683), "cases=  256683");
  // Where a 32-bit float count would have stopped growing and switched to
  // an exponent form.
  EXPECT_EQ(closingLine(10000000), "cases=  10000000");
  EXPECT_EQ(closingLine(16777217), "cases=  16777217");
}

TEST(ReportLineWriter, AFailingTextUnderSkipOnErrorModeLeavesItsPieceOut) {
  // Values no conversion gives: only the failure of the text step matters.
  qv::RoundTripPoint p;
  p.latitude = 50;
  p.longitude = 10;
  p.hour = 11;
  p.skipOnError = true;
  p.offsetKm = 1e300;
  p.distanceKm = 236.7795803439312;
  p.latitudeBack = 49.99999999999;
  qv::ErrorMode mode;
  mode.skipOnError();
  ReportLineWriter writer;
  std::string records = "\"before\"\r\n";
  writer.append(records, p, 0, mode);
  EXPECT_EQ(records, "\"before\"\r\n\" lat  50  long  10     m11:  r236.8   lat 49.9999 long \"\r\n");
}

// A reader takes the same records from the bytes of a report, however they
// arrive: cut anywhere, each piece's whole records are taken and the rest
// kept for the next.  Each case record gives back its position's texts.
TEST_F(ReportLine, AReaderTakesTheRecordsAndPositionsBackFromBytesCutAnywhere) {
  settings.storeAll = true;
  settings.latitudeFrom = 0.5, settings.latitudeTo = -0.5;
  settings.longitudeFrom = -33.875, settings.longitudeTo = -34.875;
  settings.latitudeStep = settings.longitudeStep = 15;
  ASSERT_FALSE(runSweep(settings).failure);
  const std::string bytes = reportBytes();
  const std::vector<std::string> lines = reportLines();
  ASSERT_EQ(lines.size(), 26U);

  for (std::size_t cut = 0; cut <= bytes.size(); ++cut) {
    std::vector<std::string> taken;
    std::string pending;
    for (const std::string_view piece : {std::string_view(bytes).substr(0, cut), std::string_view(bytes).substr(cut)}) {
      pending += piece;
      const std::size_t whole = wholeRecordsEnd(pending);
      std::string_view records = std::string_view(pending).substr(0, whole);
      while (const auto r = takeRecord(records)) taken.emplace_back(*recordText(*r));
      EXPECT_TRUE(records.empty());
      pending.erase(0, whole);
    }
    ASSERT_EQ(taken, lines) << "cut at " << cut;
    EXPECT_TRUE(pending.empty());
  }

  for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
    const std::string caseRecord = record(lines[i]);
    const auto position = casePositionTexts(caseRecord);
    ASSERT_TRUE(position) << lines[i];
    EXPECT_EQ(position->latitude, qv::numberText(0.5 - 0.25 * static_cast<double>(i % 5)));
    EXPECT_EQ(position->longitude, qv::numberText(-33.875 - 0.25 * static_cast<double>(i / 5)));
  }
  EXPECT_FALSE(casePositionTexts(record(lines.back())));  // the closing line
}

TEST(ReportRecords, BytesThatAreNoWholeRecordGiveNone) {
  for (const std::string_view bytes : {"", "\"", "\"open", "\"open\"\r", "\" lat  1  long  2\"\n"}) {
    SCOPED_TRACE(bytes);
    std::string_view rest = bytes;
    EXPECT_FALSE(takeRecord(rest));
    EXPECT_EQ(rest, bytes);
    EXPECT_EQ(wholeRecordsEnd(bytes), 0U);
  }
  EXPECT_EQ(recordText("\"\"\r\n"), "");
  // A record is one text framed: nothing before its opening quote, nothing
  // after its end, no second record inside.
  for (const std::string_view bytes : {"x\"a\"\r\n", "\"a\"\r\n ", "\"a\"\r\n\"b\"\r\n", "\"a\"\r"})
    EXPECT_FALSE(recordText(bytes)) << bytes;
  // A line that does not have the case line's pieces is no case line.
  for (const std::string_view line : {"cases=  5", " lat  1", " lat  1  long  2", "lat  1  long  2     m5:1  r2"})
    EXPECT_FALSE(casePositionTexts(record(line))) << line;
  EXPECT_FALSE(casePositionTexts(" lat  1  long  2     m5:1  r2"));  // without its framing
}

}  // namespace
}  // namespace qvsweep
