// Keeping the worst difference of a sweep.

#include "sweep/worst_difference.hpp"

#include <cmath>
#include <limits>

namespace qvsweep {

void record(WorstDifference& worst, double difference, double latitude, double longitude) {
  if (std::isnan(difference)) difference = std::numeric_limits<double>::infinity();
  if (difference > worst.difference) worst = {difference, latitude, longitude};
}

void merge(WorstDifference& worst, const WorstDifference& later) {
  if (later.difference > worst.difference) worst = later;
}

}  // namespace qvsweep
