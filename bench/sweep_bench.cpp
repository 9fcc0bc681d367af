// The test program's default sweep (256,683 cases) headless, as qvcode sweep
// runs it: the form logic on the in-memory view, the report in a temp file.

#include <benchmark/benchmark.h>

#include <filesystem>

#include "form_logic.hpp"
#include "memory_view.hpp"

namespace {

void defaultSweep(benchmark::State& state, bool storeAll) {
  const std::filesystem::path report = std::filesystem::temp_directory_path() / "qv_sweep_bench.txt";
  qvpruef::MemoryView view;
  view.setText(qvpruef::Control::fonte, report.string());
  qvpruef::QVpruefForm form(view);
  if (storeAll) form.storeall_Click();
  for (auto _ : state) {
    form.pruefe_Click();
    if (!view.shownErrors().empty()) {
      state.SkipWithError(view.shownErrors().back().c_str());
      break;
    }
  }
  state.counters["cases"] = static_cast<double>(form.fallzahl);
  state.counters["reportMB"] = static_cast<double>(std::filesystem::file_size(report)) / 1e6;
  std::filesystem::remove(report);
}

void BM_DefaultSweepStoreAll(benchmark::State& state) { defaultSweep(state, true); }
void BM_DefaultSweepStoreErrors(benchmark::State& state) { defaultSweep(state, false); }

BENCHMARK(BM_DefaultSweepStoreAll)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_DefaultSweepStoreErrors)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
