// A sweep on several threads leaves the form, its view and the report
// exactly as on one: for grids that end normally, stop in a case, stop in
// the walk, move their points, or lose their report to a full disk.

#include "form_fixture.hpp"

namespace qvpruef {
namespace {

struct Grid {
  const char* name;
  std::vector<std::pair<Control, std::string>> boxes;
  bool storeAll;
  bool stops;
};

const std::vector<Grid> grids = {
    {"default", {}, false, false},
    {"default, store all", {}, true, false},
    {"tolerance 0", {{Control::fehlersec, "0"}}, false, false},
    {"stops in a case near the reference point",
     {{Control::Bgradpos, "48.3"}, {Control::Bgradneg, "48"}, {Control::Bstep, "0.01"},
      {Control::Lgradpos, "11.7"}, {Control::Lgradneg, "11.4"}, {Control::Lstep, "0.05"}},
     false, true},
    {"a latitude that does not move on", {{Control::Bstep, "1e-20"}, {Control::Bgradpos, "45"}, {Control::Bgradneg, "44"}}, true, true},
    {"the eastern bound moved to 180", {{Control::Lgradpos, "200"}, {Control::Lgradneg, "190"}, {Control::Bgradpos, "1"}, {Control::Bgradneg, "0"}}, true, false},
    {"the south pole ends its columns", {{Control::Bgradpos, "-80"}, {Control::Bgradneg, "-95"}, {Control::Lgradpos, "3"}, {Control::Lgradneg, "2"}}, true, false},
    {"a full disk", {{Control::fonte, "/dev/full"}}, true, true},
};

struct Outcome {
  std::vector<std::string> texts;
  std::vector<std::string> errors;
  std::int64_t fallzahl, fehlerzahl;
  double Bdez, Ldez;
  double worst[6];
  std::string report;
};

class SweepThreads : public FormTest {
 protected:
  Outcome sweep(const Grid& grid, unsigned jobs) {
    MemoryView v;
    v.setText(Control::fonte, reportPath());
    for (const auto& [box, text] : grid.boxes) v.setText(box, text);
    QVpruefForm f(v);
    f.setJobs(jobs);
    if (grid.storeAll) f.storeall_Click();
    f.pruefe_Click();
    Outcome o{{}, v.shownErrors(), f.fallzahl, f.fehlerzahl, f.Bdez, f.Ldez,
              {f.worstLatitude.difference, f.worstLatitude.latitude, f.worstLatitude.longitude,
               f.worstLongitude.difference, f.worstLongitude.latitude, f.worstLongitude.longitude},
              v.text(Control::fonte) == reportPath() ? reportBytes() : ""};
    for (std::size_t c = 0; c < controlCount; ++c) o.texts.push_back(v.text(static_cast<Control>(c)));
    return o;
  }
};

TEST_F(SweepThreads, TheFormAndTheReportAreThoseOfOneThread) {
  for (const Grid& grid : grids) {
    SCOPED_TRACE(grid.name);
    if (!grid.boxes.empty() && grid.boxes[0].second == "/dev/full" && !haveFullDevice()) continue;
    const Outcome one = sweep(grid, 1);
    EXPECT_EQ(one.errors.size(), grid.stops ? 1U : 0U);
    for (const unsigned jobs : {2U, 3U}) {
      SCOPED_TRACE(jobs);
      const Outcome many = sweep(grid, jobs);
      EXPECT_EQ(many.texts, one.texts);
      EXPECT_EQ(many.errors, one.errors);
      EXPECT_EQ(many.fallzahl, one.fallzahl);
      EXPECT_EQ(many.fehlerzahl, one.fehlerzahl);
      EXPECT_EQ(many.Bdez, one.Bdez);
      EXPECT_EQ(many.Ldez, one.Ldez);
      for (int i = 0; i < 6; ++i) EXPECT_EQ(many.worst[i], one.worst[i]) << i;
      EXPECT_TRUE(many.report == one.report) << "reports differ";
    }
  }
}

}  // namespace
}  // namespace qvpruef
