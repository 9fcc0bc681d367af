// algorit per call over a fixed pseudo-random set of positions, and the parts
// a call spends its time on: reading the elements, the single-precision
// geometry, and the result text.

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "component/core/algorit.hpp"
#include "conversion/detail/case_texts.hpp"
#include "component/core/to_single.hpp"

namespace {

// Eight-element arrays as a script builds them: numbers and two letters, or
// (textual) every element as text.
std::vector<qv::ElementArray> arrays(bool textual) {
  std::mt19937_64 rng(20261208);
  std::uniform_int_distribution<int> lat(0, 89), lon(0, 179), minsec(0, 59), hemisphere(0, 1);
  std::vector<qv::ElementArray> v;
  for (int i = 0; i < 1024; ++i) {
    const double e[6] = {double(lat(rng)), double(minsec(rng)), double(minsec(rng)),
                         double(lon(rng)), double(minsec(rng)), double(minsec(rng))};
    std::vector<qv::Value> z;
    for (double x : e) z.push_back(textual ? qv::Value(std::to_string(int(x))) : qv::Value(x));
    z.emplace_back(std::string(hemisphere(rng) ? "N" : "S"));
    z.emplace_back(std::string(hemisphere(rng) ? "E" : "W"));
    v.emplace_back(std::move(z));
  }
  return v;
}

void algoritNumbers(benchmark::State& state) {
  const auto v = arrays(false);
  std::size_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(qv::algorit(v[i++ % v.size()]));
}
BENCHMARK(algoritNumbers);

void algoritTexts(benchmark::State& state) {
  const auto v = arrays(true);
  std::size_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(qv::algorit(v[i++ % v.size()]));
}
BENCHMARK(algoritTexts);

// The eight element reads and conversions of one call.
void readElements(benchmark::State& state) {
  const auto v = arrays(false);
  std::size_t i = 0;
  for (auto _ : state) {
    const qv::ElementArray& z = v[i++ % v.size()];
    float sum = 0;
    for (int k : {0, 1, 2, 3, 4, 5}) sum += qv::toSingle(z.at(k));
    benchmark::DoNotOptimize(sum);
    benchmark::DoNotOptimize(qv::isText(z.at(6), "S") || qv::isText(z.at(7), "W"));
  }
}
BENCHMARK(readElements);

// The result text of one call: an hour and two whole numbers of km.
void resultText(benchmark::State& state) {
  float km = 0;
  for (auto _ : state) {
    km = km > 20000 ? 0 : km + 7;
    benchmark::DoNotOptimize(qv::wholeKmCode(11, std::floor(km / 3), std::floor(km)));
  }
}
BENCHMARK(resultText);

}  // namespace
