// The round trip per point on the default grid (256,683 points, in sweep
// order), beside its peers, timed in turn within one run so that the ratios
// share the machine's load: the batch and the single round trip, the libm
// calls that the order of operations forces (the floor), and, where built
// with them, PROJ's azimuthal equidistant projection on the sphere at the
// reference point (forward and inverse) and GeographicLib's spherical
// geodesic (Inverse and Direct).  Prints the medians of interleaved rounds
// and of the ratios within each round.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "conversion/crmath/variants.hpp"
#include "bench/thread_time.hpp"
#include "conversion/detail/reference_point.hpp"
#include "conversion/detail/round_trip.hpp"

#ifdef QV_HAVE_PROJ
#include <proj.h>
#endif
#ifdef QV_HAVE_GEOGRAPHICLIB
#include <GeographicLib/Geodesic.hpp>
#endif

namespace {

// Earth radius of the peers' sphere, in metres (111.195 km per degree), the
// one the peer job is defined with.
constexpr double sphereRadius = 6370997;

struct Grid {
  std::vector<double> lat, lon;
};

Grid defaultGrid() {
  Grid g;
  for (double L = 180; L >= -179; L -= 0.5)
    for (double B = 89; B >= -89; B -= 0.5) {
      g.lat.push_back(B);
      g.lon.push_back(L);
    }
  return g;
}

volatile double sink;

struct Job {
  std::string name;
  std::function<void()> run;
  std::vector<double> seconds = {};
};

using qvbench::cpuSeconds;
using qvbench::median;

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
  const Grid g = defaultGrid();
  const std::size_t n = g.lat.size();
  std::vector<qv::RoundTripPoint> out(n);
  std::vector<Job> jobs;

  // The batch as the sweep uses it: blocks of points whose results are used
  // before the next block, so that they stay in the cache.
  constexpr std::size_t block = 1024;
  std::vector<qv::RoundTripPoint> results(block);
  jobs.push_back({"qv::roundTrips, the batch, 1024 points a call", [&] {
                    double s = 0;
                    for (std::size_t at = 0; at < n; at += block) {
                      const std::size_t k = std::min(block, n - at);
                      qv::roundTrips(std::span(g.lat).subspan(at, k), std::span(g.lon).subspan(at, k),
                                     std::span(results).first(k));
                      s += results[k / 2].westComponentBack;
                    }
                    sink = s;
                  }});
  jobs.push_back({"qv::roundTrip, one point at a time", [&] {
                    double s = 0;
                    for (std::size_t i = 0; i < n; ++i) {
                      try {
                        s += qv::roundTrip(g.lat[i], g.lon[i]).values.Ybk;
                      } catch (const qv::RuntimeError&) {
                      }
                    }
                    sink = s;
                  }});

  // The floor: per point the calls that the conversions make in their fixed
  // order, on the point's own arguments, with nothing else: sine and cosine
  // of six angles, two more cosines, six arc tangents, nine square roots.
  std::vector<double> arg(n * 6);
  qv::roundTrips(g.lat, g.lon, out);
  for (std::size_t i = 0; i < n; ++i) {
    const double deg = std::atan(1.0) / 45;
    const double a[6] = {g.lat[i] * deg,
                         (g.lon[i] - qv::referenceLongitude()) * deg,
                         out[i].distanceKm / 111.18 * deg,
                         out[i].offsetKm / 111.18 * deg,
                         (90 - out[i].distanceKm / 111.18) * deg,
                         out[i].latitudeBack.value_or(0) * deg};
    std::copy(a, a + 6, arg.begin() + static_cast<std::ptrdiff_t>(i * 6));
  }
  jobs.push_back({"libm floor (6 sin+cos, 2 cos, 6 atan, 9 sqrt)", [&] {
                    double s = 0;
                    for (std::size_t i = 0; i < n; ++i) {
                      const double* a = &arg[i * 6];
                      for (int k = 0; k < 6; ++k) s += std::sin(a[k]) + std::cos(a[k]);
                      s += std::cos(a[0] + 1) + std::cos(a[1] + 1);
                      for (int k = 0; k < 6; ++k) s += std::atan(a[k]);
                      for (int k = 0; k < 9; ++k) s += std::sqrt(std::fabs(a[k % 6]) + k);
                    }
                    sink = s;
                  }});

#ifdef QV_HAVE_PROJ
  PJ_CONTEXT* ctx = proj_context_create();
  // The centre to the last digit, not std::to_string's six decimals.
  char aeqd[160];
  std::snprintf(aeqd, sizeof aeqd, "+proj=aeqd +lat_0=%.17g +lon_0=%.17g +R=%.17g", qv::referenceLatitude(),
                qv::referenceLongitude(), sphereRadius);
  PJ* P = proj_create(ctx, aeqd);
  std::vector<double> x(n), y(n);
  jobs.push_back({"PROJ aeqd on the sphere, forward + inverse", [&] {
                    const double deg = std::atan(1.0) / 45;
                    for (std::size_t i = 0; i < n; ++i) {
                      x[i] = g.lon[i] * deg;
                      y[i] = g.lat[i] * deg;
                    }
                    proj_trans_generic(P, PJ_FWD, x.data(), sizeof(double), n, y.data(), sizeof(double), n, nullptr, 0,
                                       0, nullptr, 0, 0);
                    proj_trans_generic(P, PJ_INV, x.data(), sizeof(double), n, y.data(), sizeof(double), n, nullptr, 0,
                                       0, nullptr, 0, 0);
                    sink = x[n / 2];
                  }});
#endif
#ifdef QV_HAVE_GEOGRAPHICLIB
  const GeographicLib::Geodesic sphere(sphereRadius, 0);
  jobs.push_back({"GeographicLib spherical geodesic, Inverse + Direct", [&] {
                    double s = 0;
                    for (std::size_t i = 0; i < n; ++i) {
                      double s12 = 0, azi1 = 0, azi2 = 0, lat2 = 0, lon2 = 0;
                      sphere.Inverse(qv::referenceLatitude(), qv::referenceLongitude(), g.lat[i], g.lon[i], s12, azi1,
                                     azi2);
                      sphere.Direct(qv::referenceLatitude(), qv::referenceLongitude(), azi1, s12, lat2, lon2);
                      s += lat2 + lon2;
                    }
                    sink = s;
                  }});
#endif

  for (int r = 0; r < rounds; ++r)
    for (Job& j : jobs) {
      const double start = cpuSeconds();
      j.run();
      j.seconds.push_back(cpuSeconds() - start);
    }

  // A ratio is taken within each round, between jobs run one right after
  // the other, and its median printed: the machine's load moves slower
  // than a round.
  std::printf(
      "Round trip per point, default grid (%zu points), %d interleaved rounds, thread CPU time,\n"
      "sin/cos/atan variants: single %s, batch %s (QV_CR_SINGLE, QV_CR_BATCH):\n",
      n, rounds, qv::cr::chosenSingleVariant().name, qv::cr::chosenManyVariant().name);
  std::printf("  %-52s %10s %9s %22s\n", "", "median", "", "batch / this, median");
  for (const Job& j : jobs) {
    std::vector<double> ratios;
    for (int r = 0; r < rounds; ++r) ratios.push_back(jobs[0].seconds[r] / j.seconds[r]);
    const double ns = median(j.seconds) / static_cast<double>(n) * 1e9;
    std::printf("  %-52s %7.1f ns %5.2f M/s %22.2f\n", j.name.c_str(), ns, 1e3 / ns, median(ratios));
  }
#ifdef QV_HAVE_PROJ
  proj_destroy(P);
  proj_context_destroy(ctx);
#else
  std::printf("  (PROJ not built in: install libproj-dev)\n");
#endif
#ifndef QV_HAVE_GEOGRAPHICLIB
  std::printf("  (GeographicLib not built in: install libgeographiclib-dev)\n");
#endif
  return 0;
}
