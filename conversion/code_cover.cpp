// The ranges a code covers, from its written numbers, and the farthest of its
// positions, from a grid over each pair of ranges.

#include "conversion/code_cover.hpp"

#include <algorithm>
#include <cmath>
#include <string>

#include "conversion/angles.hpp"
#include "conversion/reference_point.hpp"

namespace qv {
namespace {

// A range in units of 10^-scale km, as the nearest doubles of its ends.
KmRange inUnits(long long from, long long to, int scale) {
  const double unit = std::pow(10.0, scale);
  return {static_cast<double>(from) / unit, static_cast<double>(to) / unit};
}

KmRanges rangesOf(std::string_view written, int decimals, double maxKm) {
  // The written digits as a whole number n of 10^-k km: exact, so that the
  // ends are the doubles nearest their decimal values (6.65, not 6.6499…).
  long long n = 0;
  int k = 0;
  bool point = false;
  for (const char c : written) {
    if (c == '.') {
      point = true;
      continue;
    }
    n = n * 10 + (c - '0');
    k += point;
  }
  KmRanges r;
  if (decimals >= 0 || point) {
    r.ranges[0] = inUnits(10 * n - 5, 10 * n + 5, k + 1);
    r.count = 1;
  } else {
    r.ranges[0] = inUnits(100 * n, 100 * n + 5, 2);
    r.ranges[1] = inUnits(100 * n + 95, 100 * n + 100, 2);
    r.count = 2;
  }
  std::size_t kept = 0;
  for (std::size_t i = 0; i < r.count; ++i) {
    const KmRange c{std::max(r.ranges[i].fromKm, 0.0), std::min(r.ranges[i].toKm, maxKm)};
    if (c.fromKm <= c.toKm) r.ranges[kept++] = c;
  }
  r.count = kept;
  return r;
}

// The number after `mark` up to the next blank.
std::string_view field(std::string_view text, char mark) {
  const std::size_t from = text.find(mark) + 1;
  return text.substr(from, text.find(' ', from) - from);
}

}  // namespace

double sphereDistanceKm(const Position& a, const Position& b) {
  const double p1 = degToRad(a.latitude), p2 = degToRad(b.latitude);
  const double dp = p2 - p1, dl = degToRad(b.longitude - a.longitude);
  const double h = std::sin(dp / 2) * std::sin(dp / 2) + std::cos(p1) * std::cos(p2) * std::sin(dl / 2) * std::sin(dl / 2);
  return radToDeg(2 * std::asin(std::min(1.0, std::sqrt(h)))) * kmPerDegree;
}

CodeCover coverOf(std::string_view text, int decimals, const CodeValues& code, const Position& position) {
  const std::string_view trimmed = text.substr(text.find('m'));
  CodeCover c;
  c.distances = rangesOf(field(trimmed, 'r'), decimals, maxDistanceKm);
  c.offsets = rangesOf(field(trimmed, ':'), decimals, maxOffsetKm(c.distances.ranges[c.distances.count - 1].toKm));
  // The patches are a few hundred metres across at most, so the distance
  // from the returned position grows toward their edges; a 5×5 grid takes
  // the corners and the middles of the edges.
  constexpr int steps = 4;
  for (std::size_t d = 0; d < c.distances.count; ++d)
    for (std::size_t o = 0; o < c.offsets.count; ++o)
      for (int i = 0; i <= steps; ++i)
        for (int j = 0; j <= steps; ++j) {
          const KmRange& rd = c.distances.ranges[d];
          const KmRange& ro = c.offsets.ranges[o];
          CodeValues v = code;
          v.distanceKm = rd.fromKm + (rd.toKm - rd.fromKm) * i / steps;
          v.offsetKm = offsetWithinReach(ro.fromKm + (ro.toKm - ro.fromKm) * j / steps, v.distanceKm);
          c.farthestKm = std::max(c.farthestKm, sphereDistanceKm(position, positionOf(v)));
        }
  return c;
}

}  // namespace qv
