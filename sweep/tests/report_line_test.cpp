// The report line and the closing line: what a reader of the report file
// parses.

#include "sweep/report_format.hpp"
#include "sweep/detail/report_line.hpp"
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
  // Bdezbk is about -1.27E-14: the cut keeps the sign and loses the exponent.
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

}  // namespace
}  // namespace qvsweep
