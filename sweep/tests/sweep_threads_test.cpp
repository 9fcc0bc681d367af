// A sweep on several threads ends exactly as on one: its result, what its
// observer saw and its report, for grids that end normally, stop in a case,
// stop in the walk, move their points, or lose their report to a full disk.

#include <functional>

#include "sweep/tests/sweep_fixture.hpp"

namespace qvsweep {
namespace {

struct Grid {
  const char* name;
  std::function<void(SweepSettings&)> set;
  bool stops;
};

const std::vector<Grid> grids = {
    {"default", [](SweepSettings&) {}, false},
    {"default, store all", [](SweepSettings& s) { s.storeAll = true; }, false},
    {"tolerance 0", [](SweepSettings& s) { s.toleranceSeconds = 0; }, false},
    {"stops in a case near the reference point",
     [](SweepSettings& s) {
       s.latitudeFrom = 48.3, s.latitudeTo = 48, s.latitudeStep = 0.01;
       s.longitudeFrom = 11.7, s.longitudeTo = 11.4, s.longitudeStep = 0.05;
     },
     true},
    {"a latitude that does not move on",
     [](SweepSettings& s) { s.storeAll = true, s.latitudeStep = 1e-20, s.latitudeFrom = 45, s.latitudeTo = 44; }, true},
    {"the eastern bound moved to 180",
     [](SweepSettings& s) {
       s.storeAll = true, s.longitudeFrom = 200, s.longitudeTo = 190, s.latitudeFrom = 1, s.latitudeTo = 0;
     },
     false},
    {"the south pole ends its columns",
     [](SweepSettings& s) {
       s.storeAll = true, s.latitudeFrom = -80, s.latitudeTo = -95, s.longitudeFrom = 3, s.longitudeTo = 2;
     },
     false},
    {"a full disk", [](SweepSettings& s) { s.storeAll = true, s.reportPath = "/dev/full"; }, true},
};

// Everything an observer is told, in order.
class Log : public SweepObserver {
 public:
  void eastBoundClamped() override { events.push_back("east"); }
  void firstCase(const qv::RoundTripPoint& p) override {
    events.push_back("first " + std::to_string(p.latitude) + " " + std::to_string(p.longitude) + " " +
                     std::to_string(p.distanceKm));
  }
  bool wantsCases() const override { return true; }
  void casesTaken(std::span<const SweptCase> cases) override {
    for (const SweptCase& c : cases) difference += c.latitudeDifference + c.longitudeDifference;
    events.push_back("cases " + std::to_string(cases.size()));
  }
  void progressed(const SweepProgress& p) override {
    events.push_back("progress " + std::to_string(p.cases) + " " + std::to_string(p.completedErrors) + " " +
                     std::to_string(p.longitude));
  }
  std::vector<std::string> events;
  double difference = 0;
};

struct Outcome {
  SweepResult result;
  std::vector<std::string> events;
  double difference;
  std::string report;
};

class SweepThreads : public SweepTest {
 protected:
  Outcome sweep(const Grid& grid, unsigned jobs) {
    SweepSettings s = settings;
    grid.set(s);
    s.jobs = jobs;
    Log log;
    Outcome o{runSweep(s, &log), log.events, log.difference, s.reportPath == reportPath() ? reportBytes() : ""};
    return o;
  }
};

TEST_F(SweepThreads, TheResultTheObserverAndTheReportAreThoseOfOneThread) {
  for (const Grid& grid : grids) {
    SCOPED_TRACE(grid.name);
    if (std::string(grid.name) == "a full disk" && !haveFullDevice()) continue;
    const Outcome one = sweep(grid, 1);
    EXPECT_EQ(one.result.failure.has_value(), grid.stops);
    for (const unsigned jobs : {2U, 3U}) {
      SCOPED_TRACE(jobs);
      const Outcome many = sweep(grid, jobs);
      const SweepResult &a = many.result, &b = one.result;
      EXPECT_EQ(a.failure, b.failure);
      EXPECT_EQ(a.cases, b.cases);
      EXPECT_EQ(a.errors, b.errors);
      EXPECT_EQ(a.latitude, b.latitude);
      EXPECT_EQ(a.longitude, b.longitude);
      EXPECT_EQ(a.lastHour, b.lastHour);
      for (const auto& [x, y] : {std::pair{a.worstLatitude, b.worstLatitude}, {a.worstLongitude, b.worstLongitude}}) {
        EXPECT_EQ(x.difference, y.difference);
        EXPECT_EQ(x.latitude, y.latitude);
        EXPECT_EQ(x.longitude, y.longitude);
      }
      EXPECT_EQ(many.events, one.events);
      EXPECT_EQ(many.difference, one.difference);
      EXPECT_TRUE(many.report == one.report) << "reports differ";
    }
  }
}

}  // namespace
}  // namespace qvsweep
