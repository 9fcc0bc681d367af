// The parts of a sweep evaluated on several threads ahead of the driver and
// handed to it in sweep order, on the calling thread.  Each part's
// evaluation depends on nothing but the part and the sweep's settings, so
// what the driver takes in is the same whatever the number of threads; a part
// that stops the sweep ends it there, and the parts evaluated beyond it are
// dropped.  Memory stays flat: at most a few parts per thread are in flight.
#pragma once

#include <functional>

#include "sweep/detail/case_evaluation.hpp"
#include "sweep/detail/grid_walk.hpp"

namespace qvsweep {

using TakeIn = std::function<void(const SweepPart&, const PartResult&)>;

// Lays out the plan's parts of at most `partCases` cases, evaluates them on
// `jobs` threads (1: on the calling thread alone) and takes each in, in
// order.  An exception from `takeIn` stops the threads and propagates.
void runParts(SweepPlan& plan, std::size_t partCases, const CaseSettings& settings, unsigned jobs,
              const TakeIn& takeIn);

}  // namespace qvsweep
