// The test program's default sweep (256,683 cases) on the sweep engine, as
// the window and qvcode sweep run it, the report in a temp file.

#include <benchmark/benchmark.h>

#include <filesystem>

#include "sweep/sweep.hpp"

namespace {

void defaultSweep(benchmark::State& state, bool storeAll) {
  const std::filesystem::path report = std::filesystem::temp_directory_path() / "qv_sweep_bench.txt";
  qvsweep::SweepSettings settings;
  settings.reportPath = report.string();
  settings.storeAll = storeAll;
  qvsweep::SweepResult result;
  for (auto _ : state) {
    result = qvsweep::runSweep(settings);
    if (result.failure) {
      state.SkipWithError(result.failure->c_str());
      break;
    }
  }
  state.counters["cases"] = static_cast<double>(result.cases);
  state.counters["reportMB"] = static_cast<double>(std::filesystem::file_size(report)) / 1e6;
  std::filesystem::remove(report);
}

void BM_DefaultSweepStoreAll(benchmark::State& state) { defaultSweep(state, true); }
void BM_DefaultSweepStoreErrors(benchmark::State& state) { defaultSweep(state, false); }

BENCHMARK(BM_DefaultSweepStoreAll)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_DefaultSweepStoreErrors)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
