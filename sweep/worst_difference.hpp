// The largest round-trip difference of one coordinate over a sweep, and where it occurred.
#pragma once

namespace qvsweep {

// A case's input point, as adjusted, degrees.
struct CasePoint {
  double latitude = 0, longitude = 0;
};

struct WorstDifference {
  double difference = -1;              // degrees; negative while no case has run
  double latitude = 0, longitude = 0;  // the input point, as adjusted
};

// Keeps the first of the largest differences in sweep order; a difference
// that cannot be computed (NaN) counts as the worst.
void record(WorstDifference& worst, double difference, double latitude, double longitude);
// `later` from cases after those of `worst`.
void merge(WorstDifference& worst, const WorstDifference& later);

}  // namespace qvsweep
