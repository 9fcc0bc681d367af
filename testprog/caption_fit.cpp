// The caption shrinking rule: design size, then one step smaller at a time, down to the minimum.
#include "testprog/caption_fit.hpp"

namespace qvpruef {

CaptionFit fitCaption(double designPoints, double available, const std::function<double(double points)>& width,
                      double minimumPoints, double stepPoints) {
  if (width(designPoints) <= available) return {designPoints, true};
  if (designPoints <= minimumPoints) return {designPoints, false};
  // Counted in whole steps, so that no rounding of a running sum skips a size.
  for (int k = 1;; ++k) {
    const double points = designPoints - k * stepPoints;
    if (points <= minimumPoints) break;
    if (width(points) <= available) return {points, true};
  }
  return {minimumPoints, width(minimumPoints) <= available};
}

}  // namespace qvpruef
