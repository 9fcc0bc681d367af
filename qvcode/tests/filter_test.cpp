// Filter mode of encode, decode and algorit: lines in, one line out for each
// in every format, failures as ERROR lines; the filter writes for every item
// what the command line writes for it; files, long lines and failing output.

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <tuple>
#include <string>
#include <vector>

#include "qvcode/command.hpp"
#include "qvcode/tests/command_run.hpp"

namespace qvcode {
namespace {

using testing::Result;

Result run(std::vector<std::string_view> args) { return testing::run(runCommand, std::move(args)); }

Result run(const std::vector<std::string>& args) {
  return run(std::vector<std::string_view>(args.begin(), args.end()));
}

TEST(Filter, OneLineOutForEveryLineIn) {
  const struct {
    std::vector<std::string_view> args;  // the lines follow as --input-string
    std::string_view lines;
    int status;
    std::string out;
  } cases[] = {
      {{"encode"},
       "50 10;48°8′13″N 11°34′31″E;bad",
       1,
       "m11:6.6 r236.8\nm5:0 r0\nERROR: 'bad' is not a position: 'b' cannot be part of one\n"},
      // Blank lines and comments pass through; a CR before the line feed is dropped.
      {{"encode"},
       "# stations\n\n 50 10\r\n\t;95 0;# end",
       1,
       "# stations\n\nm11:6.6 r236.8\n\t\nERROR: '95 0' is not a position: its latitude 95 lies outside -90..90\n# "
       "end\n"},
      {{"encode", "--as-sweep"}, "1e308 0", 1, "ERROR: run-time error 6: Overflow\n"},
      // One byte order mark at the very start is skipped; bytes that are no
      // UTF-8 stand escaped in the reason (JSON writes them as U+FFFD).
      {{"encode"},
       "\xEF\xBB\xBF"
       "50 10;\xEF\xBB\xBF"
       "50 10;50\xff 10",
       1,
       "m11:6.6 r236.8\nERROR: '\xEF\xBB\xBF"
       "50 10' is not a position: '\xEF\xBB\xBF' cannot be part of one\n"
       "ERROR: '50\\xff 10' is not a position: '\\xff' cannot be part of one\n"},
      // The code of a position whose way back fails, and the inverse's error
      // in its column.
      {{"encode", "--csv"},
       "50 10;;48.2 11.575277777777778;bad",
       1,
       "latitudeGiven,longitudeGiven,latitude,longitude,hour,distanceKm,offsetKm,bearingDegrees,sectorAngleDegrees,"
       "distanceText,offsetText,code,preciseCode,skipOnError,latitudeBack,longitudeBack,westComponentBack,"
       "inverseError,error\n"
       "50,10,50,10,11,236.7795803439312,6.64327619466684,331.6079588743926,1.607958874392608,236.8,6.6,"
       "m11:6.6 r236.8,,true,49.99999999999985,9.999999999999574,-0.11161889704894556,,\n"
       ",,,,,,,,,,,,,,,,,,\n"
       "48.2,11.575277777777778,48.2,11.575277777777778,12,7.0105166673285115,0,0,0,7,0,m12:0 r7,,false,,,0,"
       "Invalid procedure call or argument,\n"
       ",,,,,,,,,,,,,,,,,,'bad' is not a position: 'b' cannot be part of one\n"},
      {{"encode"}, "48.2 11.575277777777778", 0, "m12:0 r7\n"},
      // Every JSON line is JSON: a comment and a blank line too.
      {{"encode", "--json"},
       "# a \"b\";;bad",
       1,
       "{\"comment\":\"# a \\\"b\\\"\"}\n{}\n"
       "{\"input\":\"bad\",\"error\":\"'bad' is not a position: 'b' cannot be part of one\"}\n"},
      {{"decode"},
       "m11:6.6 r236.8; m5:0 r0;m13:6.6 r236.8",
       1,
       "49.9999649667773 9.99932533031054\n48.1369444444444 11.5752777777778\n"
       "ERROR: malformed code 'm13:6.6 r236.8': hour '13' is not a whole number from 1 to 12\n"},
      {{"decode", "--csv"},
       "m11:6.6 r236.8;x",
       1,
       "hour,offsetKm,distanceKm,distanceFromKm,distanceToKm,distanceAlsoFromKm,distanceAlsoToKm,offsetFromKm,"
       "offsetToKm,offsetAlsoFromKm,offsetAlsoToKm,farthestKm,latitude,longitude,latitudeDms,longitudeDms,error\n"
       "11,6.6,236.8,236.75,236.85000000000002,,,6.55,6.65,,,0.07171378369587184,49.999964966777256,9.99932533031054,"
       "\"49\u00b059'59.87\"\" N\",\"9\u00b059'57.57\"\" E\",\n"
       ",,,,,,,,,,,,,,,,\"malformed code 'x': code must start with 'm' (as in \"\"m11:6.6 r236.8\"\")\"\n"},
      {{"decode", "--csv"},
       "\xEF\xBB\xBF# a, \"b\";m\xc0\xaf:1 r2",
       1,
       "hour,offsetKm,distanceKm,distanceFromKm,distanceToKm,distanceAlsoFromKm,distanceAlsoToKm,offsetFromKm,"
       "offsetToKm,offsetAlsoFromKm,offsetAlsoToKm,farthestKm,latitude,longitude,latitudeDms,longitudeDms,error\n"
       ",,,,,,,,,,,,,,,,\n"
       ",,,,,,,,,,,,,,,,malformed code 'm\\xc0\\xaf:1 r2': hour '' is not a whole number from 1 to 12\n"},
      // A keyword is an element, not a comment.
      {{"algorit"},
       "50,0,0,10,0,0,\"N\",\"E\";#NULL#,0,0,10,0,0,N,E;#TRUE#, 60 ,0,10,0,0,N,E;#x,1",
       1,
       "m11:6 r236\nERROR: run-time error 94: Invalid use of Null\nm6:175 r5354\n#x,1\n"},
      {{"algorit", "--json"},
       "40,0,0,74,0,0,\"N\",\"W\";50,0,0,\"ten\",0,0,N,E;50,0,0,10,0,0,N;\"N,E",
       1,
       "{\"code\":\"m9:2537 r6536\"}\n"
       "{\"input\":\"50,0,0,\\\"ten\\\",0,0,N,E\",\"error\":\"run-time error 13: Type mismatch\"}\n"
       "{\"input\":\"50,0,0,10,0,0,N\",\"error\":\"algorit takes eight elements, '50,0,0,10,0,0,N' has 7\"}\n"
       "{\"input\":\"\\\"N,E\",\"error\":\"malformed elements '\\\"N,E': a quote is not closed\"}\n"},
      {{"algorit", "--csv"}, "33,54,0,151,12,0,\"S\",\"E\"", 0, "code,error\nm2:1187 r16328,\n"},
      {{"encode"}, "", 0, ""},
      // Positions longitude first; decode's positions to N decimals (a zero
      // without its sign) or in degrees, minutes and seconds.
      {{"encode", "--lon-first"},
       "10 50;151.21, -33.87;11°34′31″E 48°8′13″N;10 95",
       1,
       "m11:6.6 r236.8\nm2:1184.2 r16326.8\nm5:0 r0\nERROR: '10 95' is not a position: its latitude 95 lies outside "
       "-90..90\n"},
      {{"decode", "--decimals", "3"},
       "m11:6.6 r236.8;m6:0 r0.1;bad",
       1,
       "50.000 9.999\n48.136 11.575\nERROR: malformed code 'bad': code must start with 'm' (as in \"m11:6.6 "
       "r236.8\")\n"},
      {{"decode", "--decimals", "0"}, "m12:0 r20012.4;m5:0 r0", 0, "-48 -168\n48 12\n"},
      {{"decode", "--dms"},
       "m11:6.6 r236.8;m5:0 r0",
       0,
       "49\u00b059'59.87\" N 9\u00b059'57.57\" E\n48\u00b08'13\" N 11\u00b034'31\" E\n"},
  };
  for (const auto& c : cases) {
    std::vector<std::string_view> args = c.args;
    args.insert(args.end(), {"--input-string", c.lines});
    const Result r = run(args);
    SCOPED_TRACE(std::string(c.args.front()) + " " + std::string(c.lines));
    EXPECT_EQ(r.status, c.status) << r.err;
    EXPECT_EQ(r.out, c.out);
  }
}

TEST(Filter, WritesForEveryItemWhatTheCommandLineWrites) {
  const struct {
    std::string_view command;
    std::vector<std::string_view> items;  // a line, and the same as arguments
    std::vector<std::vector<std::string_view>> arguments;
  } cases[] = {
      {"encode",
       {"50 10", "-33.87, 151.21", "90 -180", "50 350", "48°8′13″N 11°34′31″E", "48.2 11.575277777777778"},
       {{"50", "10"},
        {"-33.87,", "151.21"},
        {"90", "-180"},
        {"50", "350"},
        {"48°8′13″N", "11°34′31″E"},
        {"48.2", "11.575277777777778"}}},
      {"decode",
       {"m11:6.6 r236.8", " m9:2537 r6536", "m12:0 r4654.3"},
       {{"m11:6.6 r236.8"}, {" m9:2537 r6536"}, {"m12:0 r4654.3"}}},
      {"algorit",
       {"50,0,0,10,0,0,N,E", ",,,10,,,,", "\"50\",\" 0 \",#FALSE#,10,0,0,\"S \",W"},
       {{"50", "0", "0", "10", "0", "0", "N", "E"},
        {"", "", "", "10", "", "", "", ""},
        {"\"50\"", "\" 0 \"", "#FALSE#", "10", "0", "0", "\"S \"", "W"}}},
  };
  for (const auto& c : cases) {
    for (const std::string_view format : {"--json", "--csv", "--text-out"}) {
      std::string lines, expected;
      for (std::size_t i = 0; i < c.items.size(); ++i) {
        lines.append(i ? ";" : "").append(c.items[i]);
        std::vector<std::string_view> args = {c.command};
        if (format != "--text-out") args.push_back(format);
        args.push_back("--");
        args.insert(args.end(), c.arguments[i].begin(), c.arguments[i].end());
        const Result one = run(args);
        ASSERT_EQ(one.status, 0) << one.err;
        std::string out = one.out;
        if (format == "--csv") out = out.substr(i == 0 ? 0 : out.find('\n') + 1);
        // On the command line decode adds the position in degrees, minutes and seconds.
        if (c.command == "decode" && format == "--text-out") out.erase(out.find('\n') + 1);
        expected += out;
      }
      std::vector<std::string_view> args = {c.command, "--input-string", lines};
      if (format != "--text-out") args.push_back(format);
      const Result all = run(args);
      EXPECT_EQ(all.out, expected) << c.command << ' ' << format;
    }
  }
}

// Plain filters convert blocks of lines through the batch conversions; every
// line must still get what it gets alone on the command line, at the edges
// of the common path too (the reference point, the hour's rays, the poles,
// the date line, points the sweep adjusts) and beside lines that fail.
TEST(Filter, BlocksGiveEveryLineWhatItGetsAlone) {
  std::vector<std::string> positions = {"48.136944444444445 11.575277777777778",
                                        "48.2 11.575277777777778",
                                        "90 0",
                                        "-90 -180",
                                        "89.99999999999993 0",
                                        "0 180",
                                        "50 350",
                                        "95 0",
                                        "bad",
                                        "48°8′13″N 11°34′31″E",
                                        "+4230+00131",
                                        "1e400 0"};
  for (int i = 0; i < 2000; ++i) {
    // A lattice through the whole sphere, in steps that are no binary fractions.
    const double latitude = -90 + std::fmod(i * 7.77, 180.0), longitude = -180 + std::fmod(i * 13.13, 360.0);
    positions.push_back(std::to_string(latitude) + (i % 3 ? " " : ", ") + std::to_string(longitude));
  }
  std::vector<std::string> codes;
  for (const auto& [command, items, precision] :
       {std::tuple{"encode", &positions, ""}, {"encode", &positions, "3"}, {"decode", &codes, ""}}) {
    std::string lines;
    for (const std::string& item : *items) lines.append(lines.empty() ? "" : "\n").append(item);
    std::vector<std::string_view> args = {command, "--input-string", lines};
    if (*precision) args.insert(args.end(), {"--precision", precision});
    const Result all = run(args);
    std::size_t from = 0;
    for (const std::string& item : *items) {
      const std::size_t end = all.out.find('\n', from);
      const std::string got = all.out.substr(from, end - from);
      from = end + 1;
      args = {command, "--", item};
      if (*precision) args.insert(args.begin() + 1, {"--precision", precision});
      const Result one = run(args);
      if (one.status == 0)
        EXPECT_EQ(got + '\n', one.out.substr(0, one.out.find('\n') + 1)) << command << ' ' << item;
      else
        EXPECT_TRUE(got.starts_with("ERROR: ")) << command << ' ' << item << ": " << got;
      if (std::string_view(command) == "encode" && !*precision)
        codes.push_back(got.starts_with("ERROR") ? "m13:0 r1" : got);
    }
  }
}

class FilterFiles : public testing::FolderTest {
 protected:
  FilterFiles() : FolderTest("qvcode-filter-") {}
  static void write(const std::string& file, const std::string& text) { std::ofstream(file, std::ios::binary) << text; }
};

TEST_F(FilterFiles, LinesAcrossBlocksAndOverlongLinesKeepTheirPlaces) {
  // Lines of every width from 5 to 40 characters cross the 64 KiB blocks;
  // one line longer than a MiB fails alone, without its last byte read.
  std::string in, expected;
  for (int i = 0; i < 20000; ++i) {
    in += std::string(static_cast<std::size_t>(i % 36), ' ') + "50 10\n";
    expected += "m11:6.6 r236.8\n";
    if (i == 7777) {
      in += std::string(3 << 20, '5') + "\n";
      expected += "ERROR: the line is longer than 1048576 bytes\n";
    }
  }
  in += "50 10";  // the last line has no line feed
  expected += "m11:6.6 r236.8\n";
  write(path("in.txt"), in);
  const Result r =
      run(std::vector<std::string>{"encode", "--input-file", path("in.txt"), "--output-file", path("out.txt")});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "qvcode: encode: 1 of 20002 positions failed, the first on line 7779\n");
  EXPECT_TRUE(read(path("out.txt")) == expected);
}

TEST_F(FilterFiles, InputThatCannotBeReadAndOutputThatCannotBeWrittenStopWithTheReason) {
  write(path("in.txt"), "50 10\n");
  const struct {
    std::vector<std::string> args;
    std::string err;
  } cases[] = {
      {{"encode", "--input-file", path("none.txt")},
       "qvcode: encode: cannot open '" + path("none.txt") + "': No such file or directory\n"},
      {{"decode", "--input-file", folder().string()},
       "qvcode: decode: '" + folder().string() + "' is a directory, not a file of codes\n"},
      {{"encode", "--input-file", path("in.txt"), "--output-file", path("in.txt")},
       "qvcode: encode: the output file '" + path("in.txt") +
           "' is the input file; writing it would destroy its lines\n"},
      {{"encode", "--input-file", path("in.txt"), "--output-file", "/dev/full"},
       "qvcode: cannot write '/dev/full' after 0 whole lines: No space left on device\n"},
      {{"algorit", "--output-file", "/dev/full", "50", "0", "0", "10", "0", "0", "N", "E"},
       "qvcode: cannot write '/dev/full' after 0 whole lines: No space left on device\n"},
      {{"encode", "--output-file", path("no/such/dir"), "50", "10"},
       "qvcode: cannot create '" + path("no/such/dir") + "': No such file or directory\n"},
  };
  for (const auto& c : cases) {
    const Result r = run(c.args);
    EXPECT_EQ(r.status, 2) << c.err;
    EXPECT_EQ(r.err, c.err);
  }
  EXPECT_EQ(read(path("in.txt")), "50 10\n");
  EXPECT_EQ(run(std::vector<std::string>{"decode", "--output-file", path("out.txt"), "m5:0 r0"}).status, 0);
  EXPECT_EQ(read(path("out.txt")), "48.1369444444444 11.5752777777778\n48\u00b08'13\" N 11\u00b034'31\" E\n");
}

}  // namespace
}  // namespace qvcode
