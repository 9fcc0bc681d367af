// qvcode sweep --map: the map's size, and the picture read back where its cases, reference point and rays lie.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <csignal>
#include <fstream>
#include <unistd.h>

#include <QColor>
#include <QImage>
#include <QStringList>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "qvcode/tests/command_run.hpp"
#include "sweep/detail/judgement.hpp"
#include "qvcode/map_picture.hpp"
#include "conversion/detail/angles.hpp"
#include "conversion/detail/reference_point.hpp"
#include "conversion/detail/round_trip.hpp"
#include "qvcode/sweep_map.hpp"

namespace qvcode {
namespace {

namespace fs = std::filesystem;

TEST(MapSize, OnePixelPerGridPointScaledIntoBounds) {
  struct Row {
    const char* grid;
    MapGrid g;
    int width, height;
  };
  const Row rows[] = {
      {"default, 719 x 357 points", {89, -89, 0.5, 180, -179, 0.5}, 719, 357},
      {"3.75', 5745 x 2849 points", {89, -89, 0.0625, 180, -179, 0.0625}, 2048, 1016},
      {"25 x 25 points, 14 pixels each", {60, 36, 1, 24, 0, 1}, 350, 350},
      {"one point", {10, 10, 1, 10, 10, 1}, 360, 360},
      {"one column, at least 16 pixels wide", {89, -89, 0.5, 10, 10, 0.5}, 16, 357},
      {"a step below the bounds' precision", {45, 45, 1e-20, 0, 0, 1}, 16, 1024},
  };
  for (const Row& r : rows) {
    const MapSize s = defaultMapSize(r.g);
    EXPECT_EQ(s.width, r.width) << r.grid;
    EXPECT_EQ(s.height, r.height) << r.grid;
  }
  const MapArea a = areaAround(rows[0].g);
  EXPECT_EQ(a.west, -179.25);
  EXPECT_EQ(a.east, 180.25);
  EXPECT_EQ(a.south, -89.25);
  EXPECT_EQ(a.north, 89.25);
}

TEST(MapSize, ReadsWidthByHeight) {
  // The picture's size, from the smallest that holds the legend and a map
  // of 16 pixels a side.
  for (const char* good : {"820x274", "4096x4096", "1200x700"}) EXPECT_TRUE(parseMapSize(good)) << good;
  for (const char* bad : {"16x16", "819x274", "820x273", "1000x4097", "1000X1000", "1000x", "x1000", "1e3x1000",
                          " 1000x1000", "1000x1000x1", "-2000x2000"})
    EXPECT_FALSE(parseMapSize(bad)) << bad;
  const auto s = parseMapSize("1640x320");
  ASSERT_TRUE(s);
  EXPECT_EQ(s->width, 1640);
  EXPECT_EQ(s->height, 320);
  EXPECT_EQ(mapAreaIn(smallestPicture).width, 740);
  EXPECT_EQ(mapAreaIn(smallestPicture).height, minimumMapSide);
}

// The qvcode program, which loads the drawing module from beside it.
class MapRun : public testing::FolderTest {
 protected:
  MapRun() : FolderTest("qvcode-map-") {}

  // Starts `qvcode sweep` with `args`, its files limited to `fileBytes`
  // (0: no limit); its stderr goes to stderr.txt.
  pid_t start(const std::vector<std::string>& args, rlim_t fileBytes = 0) {
    const std::string errFile = path("stderr.txt");
    const pid_t child = fork();
    if (child == 0) {
      if (fileBytes > 0) {
        const rlimit limit{fileBytes, fileBytes};
        setrlimit(RLIMIT_FSIZE, &limit);
      }
      // The summary is no business of the test's output.
      if (std::FILE* null = std::fopen("/dev/null", "w")) dup2(fileno(null), STDOUT_FILENO);
      if (std::FILE* e = std::fopen(errFile.c_str(), "w")) dup2(fileno(e), STDERR_FILENO);
      std::vector<char*> argv{const_cast<char*>("qvcode"), const_cast<char*>("sweep")};
      for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
      argv.push_back(nullptr);
      execv(QVCODE_PATH, argv.data());
      _exit(127);
    }
    return child;
  }
  // Its exit status (-1: ended by a signal, or killed after half a minute);
  // its stderr is kept in `err`.
  int finish(pid_t child) {
    int status = 0;
    for (int i = 0; i < 3000 && waitpid(child, &status, WNOHANG) == 0; ++i) usleep(10000);
    if (kill(child, 0) == 0 && waitpid(child, &status, WNOHANG) == 0) {
      kill(child, SIGKILL);
      waitpid(child, &status, 0);
      ADD_FAILURE() << "qvcode did not end";
    }
    err = read(path("stderr.txt"));
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  int sweep(const std::vector<std::string>& args, rlim_t fileBytes = 0) { return finish(start(args, fileBytes)); }

  std::string err;
};

TEST_F(MapRun, AMapThatCannotBeMadeIsRefusedBeforeTheSweep) {
  struct Row {
    std::vector<std::string> args;
    std::string said;
  };
  const Row rows[] = {
      // The picture's size; the smallest it can be is named.
      {{"--map", path("m.png"), "--map-size", "16x16"},
       "--map-size takes the picture's WIDTHxHEIGHT in pixels, from 820x274 (a map of 740x16 with its title, labels "
       "and legend) to 4096x4096, not '16x16'"},
      {{"--map-size", "1000x1000"}, "--map-size needs --map"},
      {{"--map", ""}, "--map needs a file name"},
      {{"--map", "/nope/m.png"}, "cannot write the map '/nope/m.png': No such file or directory"},
      {{"--map", folder().string()}, "it is a folder"},
      // A FIFO would hold the finished sweep until it had a reader, and a
      // device keeps no map.
      {{"--map", path("fifo.png")},
       "cannot write the map '" + path("fifo.png") + "': it is a FIFO, not a regular file"},
      {{"--map", "/dev/full"}, "cannot write the map '/dev/full': it is a device, not a regular file"},
      {{"--map", path("r.txt")}, "it is the report"},
      {{"--map", path("link.png")}, "it is the report"},
      {{"--map", path("r.txt"), "--shard", "1/2"}, "it is the report"},
  };
  fs::create_symlink(path("r.txt"), path("link.png"));
  ASSERT_EQ(mkfifo(path("fifo.png").c_str(), 0600), 0);
  for (const Row& r : rows) {
    std::vector<std::string> args = r.args;
    args.insert(args.end(), {"--report", path("r.txt")});
    EXPECT_EQ(sweep(args), 2) << r.said;
    EXPECT_NE(err.find(r.said), std::string::npos) << err;
    EXPECT_FALSE(fs::exists(path("r.txt"))) << r.said;
  }
}

TEST_F(MapRun, AMapThatCannotBeWrittenLeavesNoPartOfItAndSaysWhy) {
  const std::vector<std::string> grid = {"--lat-step", "600", "--lon-step", "600", "--report", path("r.txt")};
  const auto with = [&](std::vector<std::string> extra) {
    extra.insert(extra.begin(), grid.begin(), grid.end());
    return extra;
  };
  // A disk that runs out under the map: the reason, the sweep's own report
  // whole, and the map there before as it was.
  std::ofstream(path("m.png")) << "the old map";
  EXPECT_EQ(sweep(with({"--map", path("m.png")}), 4096), 2);
  EXPECT_NE(err.find("File too large; it is as it was"), std::string::npos) << err;
  EXPECT_NE(read(path("r.txt")).find("cases="), std::string::npos);
  EXPECT_EQ(read(path("m.png")), "the old map");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder()), fs::directory_iterator()), 3);  // r.txt, m.png, stderr.txt
}

// --map-size is the picture's size, exactly, down to the smallest that holds
// the title, labels and legend; the map takes what they leave.
TEST_F(MapRun, ThePictureIsTheSizeAskedFor) {
  for (const auto& [size, width, height] : {std::tuple{"820x274", 820, 274}, {"2000x300", 2000, 300}}) {
    ASSERT_EQ(sweep({"--report", path("r.txt"), "--map", path("map.png"), "--map-size", size}), 0) << err;
    const QImage image(QString::fromStdString(path("map.png")));
    EXPECT_EQ(image.width(), width) << size;
    EXPECT_EQ(image.height(), height) << size;
  }
}

std::vector<double> numbers(const QImage& image, const char* key) {
  std::vector<double> values;
  for (const QString& s : image.text(key).split(' ', Qt::SkipEmptyParts)) values.push_back(s.toDouble());
  return values;
}

bool near(QRgb pixel, MapRgb c) {
  const QColor p(pixel);
  return std::abs(p.red() - c.red) <= 1 && std::abs(p.green() - c.green) <= 1 && std::abs(p.blue() - c.blue) <= 1;
}

// 25 × 25 cases of one degree round the reference point, at a tolerance that
// makes about one in eight an error case; every cell 40 pixels wide and 20
// high.
TEST_F(MapRun, ThePictureShowsEachCaseWhereItLiesWithTheReferencePointAndTheRays) {
  const double tolerance = 1e-9;  // seconds of arc
  ASSERT_EQ(sweep({"--report",   path("r.txt"), "--map",       path("map.png"),
                   "--map-size", "1080x758",    "--lat-from",  "60",
                   "--lat-to",   "36",          "--lat-step",  "60",
                   "--lon-from", "24",          "--lon-to",    "0",
                   "--lon-step", "60",          "--tolerance", "1e-9"}),
            1)  // error cases found
      << err;
  const QImage image(QString::fromStdString(path("map.png")));
  ASSERT_FALSE(image.isNull());

  const std::vector<double> map = numbers(image, mapAreaKey);
  const std::vector<double> area = numbers(image, sweptAreaKey);
  const std::vector<double> scale = numbers(image, differenceScaleKey);
  ASSERT_EQ(map.size(), 4U);
  ASSERT_EQ(area.size(), 4U);
  ASSERT_EQ(scale.size(), 2U);
  EXPECT_EQ(map[2], 1000);
  EXPECT_EQ(map[3], 500);
  EXPECT_EQ(image.width(), 1080);
  EXPECT_EQ(image.height(), 758);
  EXPECT_EQ(area, (std::vector<double>{-0.5, 24.5, 35.5, 60.5}));
  // The pixel in which a position lies, x eastwards, y southwards.
  const auto pixel = [&](double lat, double lon) {
    const int x = static_cast<int>(map[0] + std::floor((lon - area[0]) / (area[1] - area[0]) * map[2]));
    const int y = static_cast<int>(map[1] + std::floor((area[3] - lat) / (area[3] - area[2]) * map[3]));
    return image.pixel(x, y);
  };

  // A case's colour is its difference, taken here from the round trip itself,
  // on the ramp of its judgement.  Cells clear of coasts, rays and graticule:
  // the Ionian Sea, and inland Switzerland.
  struct Cell {
    double lat, lon;
    bool errorCase;
  };
  for (const Cell& c : {Cell{37, 19, true}, Cell{47, 9, false}}) {
    const qv::RoundTrip t = qv::roundTrip(c.lat, c.lon);
    const double seconds = std::max(std::fabs(*t.values.Bdezbk - c.lat),
                                    std::fabs(qvsweep::longitudeDifference(*t.values.Ldezbk, c.lon))) *
                           3600;
    ASSERT_EQ(seconds > tolerance, c.errorCase) << c.lat << ", " << c.lon << ": " << seconds;
    ASSERT_GT(seconds, 0);
    const double at = scalePosition(seconds, static_cast<int>(scale[0]), static_cast<int>(scale[1]));
    EXPECT_TRUE(near(pixel(c.lat, c.lon), rampColour(c.errorCase ? errorRamp : withinRamp, at)))
        << c.lat << ", " << c.lon << ": " << QColor(pixel(c.lat, c.lon)).name().toStdString();
  }

  EXPECT_EQ(
      QColor(pixel(qv::referenceLatitude(), qv::referenceLongitude())),
      QColor(map_colours::referencePoint.red, map_colours::referencePoint.green, map_colours::referencePoint.blue));

  // The ray of hour 3, due east from the reference point, 5 degrees of arc
  // out: the great circle's point, with a pixel of slack for the drawn line.
  const double d = 5 * qv::pi() / 180, b0 = qv::referenceLatitude() * qv::pi() / 180;
  const double lat = std::asin(std::sin(b0) * std::cos(d));
  const double lon =
      qv::referenceLongitude() +
      std::atan2(std::sin(d) * std::cos(b0), std::cos(d) - std::sin(b0) * std::sin(lat)) * 180 / qv::pi();
  bool onRay = false;
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx)
      onRay = onRay || QColor(pixel(lat * 180 / qv::pi() + dy * 0.05, lon + dx * 0.05)) == QColor(Qt::black);
  EXPECT_TRUE(onRay) << lat * 180 / qv::pi() << ", " << lon;
}

}  // namespace
}  // namespace qvcode
