// The correctly rounded sin, cos, atan and sinCos beside the C library's, per
// processor variant: independent calls (throughput), calls each fed by the
// last (latency), and the batch functions per element.  Interleaved rounds in
// thread CPU time; prints each job's median and the median of the ratios
// taken within each round, so that the machine's load cancels.
// Usage: crmath_bench [ROUNDS]   (default 7)

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "conversion/crmath/correctly_rounded.hpp"
#include "conversion/crmath/variants.hpp"
#include "bench/thread_time.hpp"

namespace {

constexpr std::size_t kInputs = std::size_t{1} << 20;

volatile double sink;

using qvbench::cpuSeconds;
using qvbench::median;

struct Job {
  std::string name;
  int pairedWith;  // the job this one is held against (the C library's), or -1
  std::function<void()> run;
  std::vector<double> seconds = {};
};

std::vector<double> uniform(double from, double to, unsigned seed) {
  std::mt19937_64 random(seed);
  std::uniform_real_distribution<double> d(from, to);
  std::vector<double> v(kInputs);
  for (double& x : v) x = d(random);
  return v;
}

// One call per input, the results stored: the calls overlap as far as the
// processor can.
template <class F>
std::function<void()> independent(const std::vector<double>& x, std::vector<double>& out, F f) {
  return [&x, &out, f] {
    for (std::size_t i = 0; i < x.size(); ++i) out[i] = f(x[i]);
    sink = out[x.size() / 2];
  };
}

// Each argument waits for the last result (scaled far below the argument's
// last bit's weight only in the chain, not in its value's range): the
// latency of one call.
template <class F>
std::function<void()> chained(const std::vector<double>& x, F f) {
  return [&x, f] {
    double v = 0;
    for (double a : x) v = f(a + v * 0x1p-40);
    sink = v;
  };
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
  const double pi = std::acos(-1.0);
  const std::vector<double> angles = uniform(-pi, pi, 1), tangents = uniform(-10, 10, 2);
  std::vector<double> out(kInputs), out2(kInputs);
  std::vector<Job> jobs;
  auto addLibrary = [&](std::string name, std::function<void()> run) {
    jobs.push_back({std::move(name), -1, std::move(run)});
  };
  // The C library's job first, then each variant held against it.
  auto compare = [&](const std::string& what, std::function<void()> library,
                     const std::function<std::function<void()>(const qv::cr::SingleVariant&)>& ours) {
    addLibrary(what + ", C library", std::move(library));
    const int base = static_cast<int>(jobs.size()) - 1;
    for (const qv::cr::SingleVariant& v : qv::cr::singleVariants()) {
      if (!v.available()) continue;
      jobs.push_back({what + ", " + v.name, base, ours(v)});
    }
  };
  using V = qv::cr::SingleVariant;
  compare("sin, independent", independent(angles, out, [](double x) { return std::sin(x); }),
          [&](const V& v) { return independent(angles, out, v.sin); });
  compare("cos, independent", independent(angles, out, [](double x) { return std::cos(x); }),
          [&](const V& v) { return independent(angles, out, v.cos); });
  compare("atan, independent", independent(tangents, out, [](double x) { return std::atan(x); }),
          [&](const V& v) { return independent(tangents, out, v.atan); });
  compare(
      "sinCos, independent",
      [&] {
        for (std::size_t i = 0; i < kInputs; ++i) ::sincos(angles[i], &out[i], &out2[i]);
        sink = out[kInputs / 2] + out2[kInputs / 2];
      },
      [&](const V& v) {
        return [&, f = v.sinCos] {
          for (std::size_t i = 0; i < kInputs; ++i) f(angles[i], out[i], out2[i]);
          sink = out[kInputs / 2] + out2[kInputs / 2];
        };
      });
  compare("sin, chained", chained(angles, [](double x) { return std::sin(x); }),
          [&](const V& v) { return chained(angles, v.sin); });
  compare("cos, chained", chained(angles, [](double x) { return std::cos(x); }),
          [&](const V& v) { return chained(angles, v.cos); });
  compare("atan, chained", chained(tangents, [](double x) { return std::atan(x); }),
          [&](const V& v) { return chained(tangents, v.atan); });

  // The batch per element, each lane variant against the C library's calls.
  addLibrary("sin + cos per element, C library", [&] {
    for (std::size_t i = 0; i < kInputs; ++i) {
      out[i] = std::sin(angles[i]);
      out2[i] = std::cos(angles[i]);
    }
    sink = out[kInputs / 2] + out2[kInputs / 2];
  });
  const int sinCosBase = static_cast<int>(jobs.size()) - 1;
  for (const qv::cr::ManyVariant& v : qv::cr::manyVariants())
    if (v.available())
      jobs.push_back({std::string("sinCosMany per element, ") + v.name, sinCosBase, [&, f = v.sinCos] {
                        f(angles.data(), out.data(), out2.data(), kInputs);
                        sink = out[kInputs / 2] + out2[kInputs / 2];
                      }});
  addLibrary("atan per element, C library", independent(tangents, out, [](double x) { return std::atan(x); }));
  const int atanBase = static_cast<int>(jobs.size()) - 1;
  for (const qv::cr::ManyVariant& v : qv::cr::manyVariants())
    if (v.available())
      jobs.push_back({std::string("atanMany per element, ") + v.name, atanBase, [&, f = v.atan] {
                        f(tangents.data(), out.data(), kInputs);
                        sink = out[kInputs / 2];
                      }});

  for (int r = 0; r < rounds; ++r)
    for (Job& j : jobs) {
      const double start = cpuSeconds();
      j.run();
      j.seconds.push_back(cpuSeconds() - start);
    }

  std::printf(
      "Functions per call, %zu inputs in [-pi, pi] (atan in [-10, 10]), %d interleaved rounds, thread CPU time:\n",
      kInputs, rounds);
  std::printf("  %-46s %10s %20s\n", "", "median", "this / C library");
  for (const Job& j : jobs) {
    const double ns = median(j.seconds) / static_cast<double>(kInputs) * 1e9;
    if (j.pairedWith < 0) {
      std::printf("  %-46s %7.1f ns\n", j.name.c_str(), ns);
      continue;
    }
    std::vector<double> ratios;
    for (int r = 0; r < rounds; ++r)
      ratios.push_back(j.seconds[static_cast<std::size_t>(r)] /
                       jobs[static_cast<std::size_t>(j.pairedWith)].seconds[static_cast<std::size_t>(r)]);
    std::printf("  %-46s %7.1f ns %20.2f\n", j.name.c_str(), ns, median(ratios));
  }
  return 0;
}
