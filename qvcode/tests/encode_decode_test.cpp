// qvcode encode and decode through their entry functions, and the usage text.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "testdata/case_file.hpp"
#include "qvcode/command.hpp"
#include "qvcode/tests/command_run.hpp"

namespace {

using qvcode::testing::Result;
using qvcode::testing::run;

TEST(CommandLine, HelpAndVersionGoToStdoutAndAUsageErrorIsOneLineAndAHint) {
  const struct {
    std::vector<std::string_view> args;
    std::string outStart;
  } helps[] = {
      {{"--help"}, "Usage: qvcode COMMAND"},
      {{"help"}, "Usage: qvcode COMMAND"},
      {{"help", "algorit"}, "Usage: qvcode algorit [--text]"},
      {{"encode", "--json", "--help", "50"}, "Usage: qvcode encode [--precision N]"},
      {{"--version"}, "qvcode (Quorvel) "},
  };
  for (const auto& h : helps) {
    const Result r = run(qvcode::runCommand, h.args);
    EXPECT_EQ(r.status, 0) << h.outStart;
    EXPECT_EQ(r.out.rfind(h.outStart, 0), 0u) << r.out;
    EXPECT_EQ(r.err, "");
  }
  const struct {
    std::vector<std::string_view> args;
    std::string firstLine;
  } usageErrors[] = {
      {{}, "qvcode: a command is needed: encode, decode, algorit, sweep, merge or help"},
      {{"transmogrify"}, "qvcode: unknown command 'transmogrify'"},
      {{"help", "encode", "decode"}, "qvcode: help takes one command: encode, decode, algorit, sweep or merge"},
      {{"encode", "50"}, "qvcode: encode: '50' is not a position: it needs a latitude and a longitude"},
      {{"encode", "--csv", "--json", "50", "10"}, "qvcode: encode: --json and --csv exclude each other"},
      {{"decode", "--input-string", "m1:0 r1", "m1:0 r1"},
       "qvcode: decode: an item on the command line and --input-file or --input-string exclude each other"},
      {{"algorit", "--text"},
       "qvcode: algorit: --text is for elements on the command line; a line writes each "
       "element's kind"},
  };
  for (const auto& u : usageErrors) {
    const Result r = run(qvcode::runCommand, u.args);
    EXPECT_EQ(r.status, 2) << u.firstLine;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, u.firstLine + "\nTry 'qvcode --help' for more information.\n");
  }
  // After "--", --help is an argument.
  EXPECT_EQ(run(qvcode::runCommand, {"decode", "--", "--help"}).err.rfind("qvcode: malformed code '--help'", 0), 0u);
}

// The code text without its blank on stdout, or the run-time error on stderr
// with exit status 1.
TEST(EncodeCommand, SharedCases) {
  for (const cases::Case& c : cases::read(QV_CASES_FILE, "encode")) {
    // The cases are the conversion's: every number as written.
    const Result r = run(qvcode::runEncode, {"--as-sweep", c.input.at(0).spelling, c.input.at(1).spelling});
    // The file's "error N TEXT" is qvcode's "run-time error N: TEXT".
    std::string expected = c.fails() ? "1 qvcode: run-time " + c.expected : "0 " + c.expected.substr(1);
    if (c.fails()) expected.insert(expected.find(' ', expected.find("error ") + 6), ":");
    EXPECT_EQ(std::to_string(r.status) + " " + r.out + r.err, expected + "\n") << c.where;
  }
}

TEST(EncodeCommand, JsonHasEveryFieldWithRoundTripDigits) {
  const Result r = run(qvcode::runEncode, {"--json", "48.136944444444445", "11.575277777777778"});
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find(R"("code":"m5:0 r0")"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find(R"("skipOnError":false)"), std::string::npos);
  EXPECT_NE(r.out.find(R"("latitude":48.136944444444445)"), std::string::npos);
  for (const char* key : {"longitude", "hour", "distanceKm", "offsetKm", "distanceText", "offsetText", "latitudeBack",
                          "longitudeBack", "westComponentBack"})
    EXPECT_NE(r.out.find("\"" + std::string(key) + "\":"), std::string::npos) << key;
}

// The position given and the one used: reduced by whole turns, then
// adjusted as the sweep adjusts it; --as-sweep takes every number as given.
TEST(EncodeCommand, JsonShowsThePositionGivenAndTheOneUsed) {
  const struct {
    std::vector<std::string_view> args;
    std::string_view fields;
  } cases[] = {
      {{"--json", "50", "350"}, R"({"latitudeGiven":50,"longitudeGiven":350,"latitude":50,"longitude":-10,)"},
      {{"--json", "-90", "-180"},
       R"({"latitudeGiven":-90,"longitudeGiven":-180,"latitude":-89.9,"longitude":-179.999999,)"},
      {{"--json", "--as-sweep", "-95", "181"},
       R"({"latitudeGiven":-95,"longitudeGiven":181,"latitude":-89.9,"longitude":180,)"},
  };
  for (const auto& c : cases) EXPECT_EQ(run(qvcode::runEncode, c.args).out.rfind(c.fields, 0), 0U) << c.fields;
}

// Positions a person gives are taken as meant or refused, with or without
// --as-sweep, which keeps the sweep's reading of every number.
TEST(EncodeCommand, PositionsAreTakenAsMeantOrRefused) {
  const struct {
    std::vector<std::string_view> args;
    int status;
    std::string_view out;  // the code, or the start of the message
  } cases[] = {
      {{"50", "350"}, 0, "m9:424.8 r1579.5\n"},  // 10 W in 0..360 data
      {{"50", "-370"}, 0, "m9:424.8 r1579.5\n"},
      {{"50", "-10"}, 0, "m9:424.8 r1579.5\n"},
      {{"--as-sweep", "50", "350"}, 0, "m12:823.9 r9045.4\n"},
      {{"+4230+00131"}, 0, "m7:434.9 r1004.1\n"},  // ISO 6709, 42°30′ N 1°31′ E
      {{"42.5", "1.5166666666666666"}, 0, "m7:434.9 r1004.1\n"},
      // ISO 6709 with a stray blank is another position read as two numbers.
      {{"+4230 +00131"},
       2,
       "qvcode: encode: '+4230 +00131' is not a position: it reads as ISO 6709 with blanks "
       "inside, which that form does not have; written without them it is 42.5 1.5166666666666666"},
      {{"--as-sweep", "+0045", "+00131"}, 2, "qvcode: encode: '+0045 +00131' is not a position: it reads as ISO 6709"},
      {{"--as-sweep", "4230", "131"}, 0, "m5:2211.6 r15358.1\n"},
      {{"1e308", "0"}, 2, "qvcode: encode: '1e308 0' is not a position: its latitude 1e+308 lies outside -90..90"},
      {{"--as-sweep", "1e308", "0"}, 1, "qvcode: run-time error 6: Overflow\n"},
  };
  for (const auto& c : cases) {
    const Result r = run(qvcode::runEncode, c.args);
    EXPECT_EQ(r.status, c.status) << c.out;
    EXPECT_EQ((r.status == 0 ? r.out : r.err).rfind(c.out, 0), 0U) << r.out << r.err;
  }
}

TEST(EncodeCommand, UsageErrorsExitTwoWithNothingOnStdout) {
  for (const std::vector<std::string_view>& args : std::vector<std::vector<std::string_view>>{
           {"50"}, {"50", "10", "3"}, {"fifty", "10"}, {"50", "10e"}, {"--yaml", "1", "2"}}) {
    const Result r = run(qvcode::runEncode, args);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("qvcode: "), std::string::npos);
  }
}

TEST(EncodeCommand, RunTimeErrorOfTheForwardConversionExitsOne) {
  const Result r = run(qvcode::runEncode, {"--as-sweep", "1e308", "0"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "qvcode: run-time error 6: Overflow\n");
}

TEST(EncodeCommand, TheCodeIsPrintedWhereOnlyTheInverseFails) {
  // On the hour's ray skip-on-error mode stays off and the inverse raises;
  // the code exists all the same.
  struct Case {
    std::string_view latitude, longitude, code;
  };
  for (const Case& c :
       {Case{"48.2", "11.575277777777778", "m12:0 r7\n"}, Case{"89.99999999999993", "0", "m12:0 r4654.3\n"},
        Case{"89.9", "-168.42472222222221", "m12:0 r4665.5\n"},
        Case{"48.14694444444444", "11.575277777777778", "m12:0 r1.1\n"}}) {
    const Result text = run(qvcode::runEncode, {c.latitude, c.longitude});
    EXPECT_EQ(text.status, 0) << c.latitude << ": " << text.err;
    EXPECT_EQ(text.out, c.code);
    const Result json = run(qvcode::runEncode, {"--json", c.latitude, c.longitude});
    EXPECT_EQ(json.status, 0);
    EXPECT_NE(json.out.find(R"("code":")" + std::string(c.code.substr(0, c.code.size() - 1)) + '"'), std::string::npos)
        << json.out;
    EXPECT_TRUE(json.out.ends_with(R"("inverseError":"Invalid procedure call or argument"})"
                                   "\n"))
        << json.out;
  }

  // Every tenth of a degree of latitude on the reference meridian has its
  // code; where the inverse holds, the JSON has no error field.
  int failedInverses = 0;
  for (int tenths = -899; tenths <= 899; ++tenths) {
    const std::string latitude = std::to_string(tenths / 10.0);
    const Result r = run(qvcode::runEncode, {"--json", latitude, "11.575277777777778"});
    ASSERT_EQ(r.status, 0) << latitude << ": " << r.err;
    EXPECT_NE(r.out.find(R"("code":"m)"), std::string::npos) << r.out;
    failedInverses += r.out.find("inverseError") != std::string::npos;
  }
  EXPECT_GT(failedInverses, 0);
  EXPECT_EQ(run(qvcode::runEncode, {"--json", "50", "10"}).out.find("inverseError"), std::string::npos);
}

TEST(DecodeCommand, WorkedExampleComesBackWithinATenthOfAKilometre) {
  const Result r = run(qvcode::runDecode, {"m11:6.6 r236.8"});
  ASSERT_EQ(r.status, 0) << r.err;
  std::istringstream in(r.out);
  double lat = 0, lon = 0;
  in >> lat >> lon;
  EXPECT_NEAR(lat, 50, 0.1 / 111.18);
  EXPECT_NEAR(lon, 10, 0.1 / 111.18 / 0.64);
  EXPECT_NE(r.out.find("\" N "), std::string::npos);
  EXPECT_NE(r.out.find("\" E\n"), std::string::npos);
}

// Every code of the shared cases, with its leading blank or in whole
// kilometres, and codes on the ray of the north pole and the antipode.
TEST(DecodeCommand, EveryCodeDecodes) {
  std::vector<std::string> codes = {"m12:0 r4654.3", "m6:0 r20012.4"};
  for (const char* kind : {"encode", "algorit"})
    for (const cases::Case& c : cases::read(QV_CASES_FILE, kind))
      if (!c.fails()) codes.push_back(c.expected);
  for (const std::string& code : codes) {
    const Result r = run(qvcode::runDecode, {code});
    EXPECT_EQ(r.status, 0) << code << ": " << r.err;
  }
  const Result west = run(qvcode::runDecode, {"--json", "m9:2537 r6536"});
  EXPECT_NE(west.out.find(R"("longitudeDms":")"), std::string::npos);
  EXPECT_NE(west.out.find(R"( W")"), std::string::npos) << west.out;
}

// The shared decode cases give their position on the first line, and the
// reject cases exit 2 naming their field, on the command line and in filter
// mode, where the line's reason stands in its place.
TEST(DecodeCommand, SharedCasesOnTheCommandLineAndAsAFilter) {
  for (const char* kind : {"decode", "reject"}) {
    for (const cases::Case& c : cases::read(QV_CASES_FILE, kind)) {
      SCOPED_TRACE(c.where);
      const std::string code = c.input.at(0).text();
      const Result r = run(qvcode::runDecode, {code});
      const Result line = run(qvcode::runDecode, {"--input-string", code});
      if (std::string(kind) == "decode") {
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out.substr(0, r.out.find('\n')), c.expected);
        EXPECT_EQ(line.out, c.expected + "\n");
      } else {
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.err.find(c.expected), std::string::npos) << r.err;
        EXPECT_EQ(line.status, 1);
        EXPECT_EQ(line.out.rfind("ERROR: malformed code", 0), 0U) << line.out;
      }
    }
  }
}

TEST(DecodeCommand, MalformedCodeExitsTwoNamingTheField) {
  const Result r = run(qvcode::runDecode, {"m13:6.6 r236.8"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "qvcode: malformed code 'm13:6.6 r236.8': hour '13' is not a whole number from 1 to 12\n");
  EXPECT_EQ(run(qvcode::runDecode, {"m11:6.6 r20100"}).status, 2);
  EXPECT_EQ(run(qvcode::runDecode, {"m1:0 r1", "m2:0 r2"}).status, 2);
}

// A control byte in a line is shown escaped in its reason, in every format:
// a NUL no longer cuts the message at itself.
TEST(Filter, ControlBytesOfALineAreEscapedInItsReason) {
  using namespace std::string_literals;
  const std::string position =
                        "50\x00"
                        "10"s,
                    code = "m11:6.6 r236.8\x01"s;
  const struct {
    int (*command)(qvcode::Args, std::ostream&, std::ostream&);
    std::string_view format, line, reason;
  } cases[] = {
      {qvcode::runEncode, "", position, R"(ERROR: '50\x0010' is not a position: '\x00' cannot be part of one)"},
      {qvcode::runEncode, "--json", position,
       R"("error":"'50\\x0010' is not a position: '\\x00' cannot be part of one"})"},
      {qvcode::runEncode, "--csv", position, R"(,'50\x0010' is not a position: '\x00' cannot be part of one)"},
      {qvcode::runDecode, "", code,
       R"(ERROR: malformed code 'm11:6.6 r236.8\x01': unexpected text '\x01' after the distance)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.format) + ' ' + std::string(c.reason));
    std::vector<std::string_view> args = {"--input-string", c.line};
    if (!c.format.empty()) args.insert(args.begin(), c.format);
    const Result r = run(c.command, args);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find(std::string(c.reason) + "\n"), std::string::npos) << r.out;
  }
}

}  // namespace
