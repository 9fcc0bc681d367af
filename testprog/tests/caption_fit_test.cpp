// The caption shrinking rule on a measure whose widths are known: the size it picks, and never one below the minimum.
#include <gtest/gtest.h>

#include <vector>

#include "testprog/caption_fit.hpp"

namespace qvpruef {
namespace {

TEST(CaptionFit, TheLargestSizeThatFitsAndNeverOneBelowTheMinimum) {
  struct Row {
    const char* what;
    double design, available, pixelsPerPoint;
    double points;
    bool fits;
  };
  // A text as wide as pixelsPerPoint × its size, in a label `available` wide.
  const Row rows[] = {
      {"fits at the design size", 24, 81, 3.375, 24, true},
      {"one step smaller", 24, 81, 3.4, 23.25, true},
      {"exactly at a step's width", 24, 60, 4, 15, true},
      {"between two steps: the smaller", 24, 59, 4, 14.25, true},
      {"at the minimum itself", 24, 8.25 * 6, 6, 8.25, true},
      {"not even at the minimum", 24, 40, 6, 8.25, false},
      {"a design at the minimum is kept", 8.25, 40, 6, 8.25, false},
      {"12 points, fitting at 9.75", 12, 39, 4, 9.75, true},
  };
  for (const Row& r : rows) {
    std::vector<double> asked;
    const CaptionFit fit = fitCaption(r.design, r.available, [&](double points) {
      asked.push_back(points);
      return points * r.pixelsPerPoint;
    });
    EXPECT_DOUBLE_EQ(fit.points, r.points) << r.what;
    EXPECT_EQ(fit.fits, r.fits) << r.what;
    for (double p : asked) {
      EXPECT_GE(p, minimumCaptionPoints) << r.what;
      EXPECT_LE(p, r.design) << r.what;
    }
  }
}

}  // namespace
}  // namespace qvpruef
