// code_cover_check: decode's bounds against positions, as a property.  Each
// position is encoded as a code text and as precise codes of 0 to 6
// decimals; each code is read and decoded, and its cover must hold the
// position's own computed distance and offset in its ranges, and the
// position itself within farthestKm of the decoded one.  Half the positions
// are where the bounds are tightest: within 0.01° of an hour's border beyond
// 10,000 km, and within 2 km of the antipode or of the reference point.
//
//   code_cover_check [--positions N] [--seed S]
//
// Prints, for each code form, the positions tried, the largest ratio of the
// true distance to farthestKm (at most 1), the largest true distance among
// all positions and among those spread evenly over the sphere, the mean
// ratio, and how many codes have no position (the inverse's run-time error,
// within a decimetre of the reference point); exits 1 when a bound does not
// hold or a code written by encode is refused.

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "conversion/code_cover.hpp"
#include "conversion/conversion.hpp"
#include "conversion/precise_code.hpp"
#include "conversion/detail/reference_point.hpp"
#include "conversion/encoding.hpp"

namespace {

constexpr double kmPerRadian = qv::kmPerDegree * 180 / M_PI;

// The position `km` from the reference point at `bearing` degrees.
qv::Position destination(double km, double bearing) {
  const double p0 = qv::referenceLatitude() * M_PI / 180, l0 = qv::referenceLongitude() * M_PI / 180;
  const double c = km / kmPerRadian, b = bearing * M_PI / 180;
  const double p = std::asin(std::sin(p0) * std::cos(c) + std::cos(p0) * std::sin(c) * std::cos(b));
  const double l = l0 + std::atan2(std::sin(b) * std::sin(c) * std::cos(p0), std::cos(c) - std::sin(p0) * std::sin(p));
  return {p * 180 / M_PI, std::remainder(l * 180 / M_PI, 360.0)};
}

// One of the four kinds of position, by turns.
qv::Position position(std::mt19937_64& rng, long long i) {
  std::uniform_real_distribution<double> unit(0, 1);
  switch (i % 4) {
    case 0:
    case 1: {  // anywhere, evenly over the sphere; or at an hour's border far out
      if (i % 4 == 0) return {std::asin(2 * unit(rng) - 1) * 180 / M_PI, 360 * unit(rng) - 180};
      const double border = 30 * std::floor(12 * unit(rng));
      return destination(10000 + (qv::maxDistanceKm - 10000) * unit(rng), border + 0.02 * unit(rng) - 0.01);
    }
    case 2:  // within 2 km of the antipode
      return destination(qv::maxDistanceKm - 2 * unit(rng), 360 * unit(rng));
    default:  // within 2 km of the reference point
      return destination(2 * unit(rng), 360 * unit(rng));
  }
}

bool within(const qv::KmRanges& r, double km) {
  for (std::size_t i = 0; i < r.count; ++i)
    if (r.ranges[i].fromKm <= km && km <= r.ranges[i].toKm) return true;
  return false;
}

struct Tally {
  long long tried = 0, broken = 0, refused = 0, noPosition = 0;
  double worstRatio = 0, farthest = 0, farthestEvenly = 0, ratioSum = 0;
};

}  // namespace

int main(int argc, char** argv) {
  long long positions = 1000000;
  unsigned long long seed = 2026;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--positions") == 0)
      positions = std::atoll(argv[i + 1]);
    else if (std::strcmp(argv[i], "--seed") == 0)
      seed = std::strtoull(argv[i + 1], nullptr, 10);
    else {
      std::fprintf(stderr, "usage: code_cover_check [--positions N] [--seed S]\n");
      return 2;
    }
  }
  std::mt19937_64 rng(seed);
  Tally tallies[1 + qv::maxPreciseDecimals + 1];
  const auto start = std::chrono::steady_clock::now();
  for (long long i = 0; i < positions; ++i) {
    const qv::Position given = position(rng, i);
    qv::EncodedCase e;
    try {
      e = qv::encodeCase(given.latitude, given.longitude);
    } catch (const qv::RuntimeError&) {
      continue;  // within a decimetre of the reference point or its antipode: no code
    }
    const qv::RoundTripPoint& t = e.point;
    const qv::Position used{t.latitude, t.longitude};
    for (int decimals = -1; decimals <= qv::maxPreciseDecimals; ++decimals) {
      Tally& tally = tallies[decimals + 1];
      const std::string text = decimals < 0 ? e.code : qv::preciseCodeText(t.hour, t.offsetKm, t.distanceKm, decimals);
      ++tally.tried;
      qv::CodeValues code;
      qv::Position back;
      try {
        code = decimals < 0 ? qv::readCode(text) : qv::readPreciseCode(text, decimals);
      } catch (const qv::CodeFormatError& x) {
        ++tally.refused;
        std::printf("refused: %.17g %.17g '%s': %s\n", used.latitude, used.longitude, text.c_str(), x.what());
        continue;
      }
      try {
        back = qv::positionOf(code);
      } catch (const qv::RuntimeError&) {
        ++tally.noPosition;
        continue;
      }
      const qv::CodeCover cover = qv::coverOf(text, decimals, code, back);
      const double apart = qv::sphereDistanceKm(used, back);
      const double ratio = cover.farthestKm > 0 ? apart / cover.farthestKm : apart > 0 ? INFINITY : 0;
      const bool holds = within(cover.distances, t.distanceKm) && within(cover.offsets, t.offsetKm) && ratio <= 1;
      if (!holds) {
        if (++tally.broken <= 20)
          std::printf("broken: %.17g %.17g '%s' distance %.17g offset %.17g apart %.17g farthest %.17g\n",
                      used.latitude, used.longitude, text.c_str(), t.distanceKm, t.offsetKm, apart, cover.farthestKm);
      }
      tally.worstRatio = std::max(tally.worstRatio, ratio);
      tally.farthest = std::max(tally.farthest, apart);
      if (i % 4 == 0) tally.farthestEvenly = std::max(tally.farthestEvenly, apart);
      tally.ratioSum += ratio;
    }
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("%-6s %10s %12s %14s %14s %10s %8s %8s\n", "code", "tried", "worst ratio", "farthest km", "evenly km",
              "mean ratio", "broken", "no pos.");
  bool ok = true;
  for (int decimals = -1; decimals <= qv::maxPreciseDecimals; ++decimals) {
    const Tally& t = tallies[decimals + 1];
    const std::string name = decimals < 0 ? "text" : "N=" + std::to_string(decimals);
    std::printf("%-6s %10lld %12.6f %14.9f %14.9f %10.4f %8lld %8lld\n", name.c_str(), t.tried, t.worstRatio,
                t.farthest, t.farthestEvenly, t.tried ? t.ratioSum / static_cast<double>(t.tried) : 0,
                t.broken + t.refused, t.noPosition);
    ok = ok && t.broken == 0 && t.refused == 0;
  }
  std::printf("%lld positions in %.1f s\n", positions, seconds);
  return ok ? 0 : 1;
}
