// Forward, inverse and round trip per point over a fixed pseudo-random set of
// positions, and the number texts that every report line needs.

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "conversion/detail/case_values.hpp"
#include "conversion/detail/error_mode.hpp"
#include "conversion/detail/forward.hpp"
#include "conversion/detail/inverse.hpp"
#include "conversion/number_text.hpp"
#include "conversion/detail/round_trip.hpp"

namespace {

struct Position {
  double lat, lon;
};

const std::vector<Position>& positions() {
  static const std::vector<Position> p = [] {
    std::mt19937_64 rng(20261208);
    std::uniform_real_distribution<double> lat(-89, 89), lon(-179, 180);
    std::vector<Position> v(4096);
    for (auto& x : v) x = {lat(rng), lon(rng)};
    return v;
  }();
  return p;
}

void forward(benchmark::State& state) {
  std::size_t i = 0;
  for (auto _ : state) {
    Position p = positions()[i++ % positions().size()];
    std::int16_t stunde = 0;
    qv::CaseValues v;
    qv::ErrorMode mode;
    qv::forwardConversion(p.lat, p.lon, stunde, v, mode);
    benchmark::DoNotOptimize(v.versatzkm);
  }
  state.counters["points/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void inverse(benchmark::State& state) {
  struct Code {
    qv::CaseValues v;
    std::int16_t stunde;
  };
  std::vector<Code> codes;
  for (Position p : positions()) {
    Code c{};
    qv::ErrorMode mode;
    qv::forwardConversion(p.lat, p.lon, c.stunde, c.v, mode);
    codes.push_back(c);
  }
  std::size_t i = 0;
  for (auto _ : state) {
    Code& c = codes[i++ % codes.size()];
    qv::ErrorMode mode;
    mode.skipOnError();
    qv::inverseConversion(c.stunde, c.v, mode);
    benchmark::DoNotOptimize(c.v.Ldezbk);
  }
  state.counters["points/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void roundTrip(benchmark::State& state) {
  std::size_t i = 0;
  for (auto _ : state) {
    const Position p = positions()[i++ % positions().size()];
    benchmark::DoNotOptimize(qv::roundTrip(p.lat, p.lon).values.Ldezbk);
  }
  state.counters["points/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void numberTextDouble(benchmark::State& state) {
  std::size_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(qv::numberText(positions()[i++ % positions().size()].lat));
}

void plainNumberTextDouble(benchmark::State& state) {
  std::size_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(qv::plainNumberText(positions()[i++ % positions().size()].lon));
}

BENCHMARK(forward);
BENCHMARK(inverse);
BENCHMARK(roundTrip);
BENCHMARK(numberTextDouble);
BENCHMARK(plainNumberTextDouble);

}  // namespace
