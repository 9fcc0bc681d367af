// The cover of a code: its ranges from the written numbers, and the farthest
// of its positions from a bound on each slice of its cell.
//
// Everything here is on the unit sphere in radians (km = rad · kmPerRadian),
// seen from the reference point: a position is its central angle c and its
// bearing, the hour's sector angle s past the hour's ray, 0..30°.  Its offset
// v satisfies sin(v/2) = sin c · sin(s/2), so at a given c the offsets of a
// range are the sector angles between two values, and a cell is a union of
// polar rectangles c ∈ [a, b], s ∈ [sLo, sHi], one per slice of its
// distances.  From a position Q at cQ, sQ a point at c, s lies
//   hav d = hav(c − cQ) + sin c · sin cQ · hav(s − sQ)
// away (hav x = sin²(x/2)): over a rectangle each term is largest at an end
// of its range, which bounds d.  Around that, the forward conversion's own
// rounding widens every range by the bounds below.  The trigonometry is the
// library's own (crmath), so every machine computes the same bound.

#include "conversion/code_cover.hpp"

#include <algorithm>
#include <cmath>
#include <array>
#include <limits>
#include <optional>
#include <string>

#include "conversion/detail/angles.hpp"
#include "conversion/crmath/correctly_rounded.hpp"
#include "conversion/detail/reference_point.hpp"

namespace qv {
namespace {

constexpr double u = 0x1p-53;  // the unit roundoff of a double
constexpr double infinity = std::numeric_limits<double>::infinity();

double kmPerRadian() {
  static const double value = kmPerDegree * halfTurnDegrees / pi();
  return value;
}

double sinSectorHalfWidth() {  // sin 15°
  static const double value = cr::sin(pi() / 12);
  return value;
}

// asin for y in [0, 1], from the arc tangent; good to a few units in the
// last place, which the callers' margins cover.
double arcSin(double y) { return y >= 1 ? halfPi() : cr::atan(y / std::sqrt((1 - y) * (1 + y))); }

// The angle in [0, π] of the vector (x, y), y >= 0.
double angleOf(double y, double x) {
  if (y == 0 && x >= 0) return 0;
  if (x >= y) return cr::atan(y / x);
  if (-x >= y) return pi() - cr::atan(y / -x);
  return halfPi() - cr::atan(x / y);
}

// ---- How far the forward conversion's rounding can move what it computes.
// Each bound is derived in docs/positions-and-codes.md ("How exact decode's
// bounds are").

// The error of the system's arc cosine of x + e, |e| <= dx, against the arc
// cosine of x, where the sine of that angle is at least `sine`: the
// argument's error through the derivative 1/sin (or, next to ±1, through the
// square root it turns into), then the rounding of √(1 − x²) and of the arc
// tangent form.
double arcCosError(double dx, double sine) {
  const double fromArgument = sine > 0 ? std::min(dx / sine, std::sqrt(2 * dx)) : std::sqrt(2 * dx);
  const double fromRoot = sine > 0 ? std::min(u / sine, std::sqrt(u)) : std::sqrt(u);
  return fromArgument + fromRoot + 10 * u;
}

// The cosine of the central angle errs by at most 6.6 u; of the offset, 6 u.
constexpr double cosCentralAngleError = 8 * u;
constexpr double cosOffsetError = 6 * u;
// The largest errors of the central angle and of the offset anywhere: at
// their ends.
const double worstCentralAngleError = arcCosError(cosCentralAngleError, 0);
const double worstOffsetError = arcCosError(cosOffsetError, 0);

// The error of the sector angle: the direction vector's components err by
// 8 u absolute (the southward one) and 3.5 u relative, an angle of
// 8 u / sin c; the cosine of the direction by 3 u, through the arc cosine;
// the conversions to degrees, the sector's subtraction and back to radians
// by 18 u.  `sinC` and `sinBearing` are lower bounds of sin c and of the
// sine of the bearing.
double sectorAngleError(double sinC, double sinBearing) {
  return (sinC > 0 ? 8 * u / sinC : infinity) + arcCosError(3 * u, sinBearing) + 18 * u;
}

// x − x³/6 <= sin x for x >= 0.
double sinLowerBound(double x) { return x <= 0 ? 0 : std::max(0.0, x - x * x * x / 6); }

// The offsets (rad) a computed offset of [vLo, vHi] may stand for in the
// arithmetic of its computed distance and sector angle.
struct OffsetBand {
  double sinHalfLo = 0, sinHalfHi = 0;  // sin(v/2) at the band's ends, the lower one 0 for v <= 0
  bool fromRay = true;                  // whether the band reaches offset 0
};

// Bounds of sin x for 0 <= x <= π/2 from its series, whose terms alternate
// and shrink there: x − x³/6 + x⁵/120 − x⁷/5040 below it, and x⁹/362880
// more above it (10⁻¹⁰ of the value for the largest offsets, less for
// smaller ones), each widened by its own rounding.
double sinBelow(double x) {
  const double x2 = x * x;
  return x * (1 - x2 / 6 * (1 - x2 / 20 * (1 - x2 / 42))) * (1 - 8 * u);
}
double sinAbove(double x) {
  const double x2 = x * x;
  return (x * (1 - x2 / 6 * (1 - x2 / 20 * (1 - x2 / 42))) + x * x2 * x2 * x2 * x2 / 362880) * (1 + 8 * u);
}

OffsetBand offsetBand(double vLo, double vHi) {
  OffsetBand b;
  const double lo = vLo - arcCosError(cosOffsetError, sinLowerBound(vLo - worstOffsetError));
  const double hi = vHi + arcCosError(cosOffsetError, sinLowerBound(vHi));
  b.fromRay = lo <= 0;
  b.sinHalfLo = b.fromRay ? 0 : sinBelow(lo / 2);
  b.sinHalfHi = sinAbove(std::min(hi, pi()) / 2);
  return b;
}

// ---- The position decoded, as the bound sees it.

// Q's central angle, and its sector angle against the hour's ray as the
// sine and cosine of half of it.
struct Seen {
  double c = 0, sinC = 0;
  double sinHalfS = 0, cosHalfS = 1;
  double sinRay = 0, cosRay = 1;  // the hour's ray: its bearing's sine and cosine
};

Seen seenFrom(const Position& q, int hour) {
  // The hour's ray: bearings 30°·hour (hour 12 is north), clockwise.
  static const double half3 = std::sqrt(3.0) / 2;
  static const double cosines[12] = {1, half3, 0.5, 0, -0.5, -half3, -1, -half3, -0.5, 0, 0.5, half3};
  const int k = hour % 12;
  Seen s;
  s.cosRay = cosines[k];
  s.sinRay = cosines[(k + 9) % 12];  // sin β = cos(β − 90°)
  const ReferenceTrig& ref = referenceTrig();
  double sinLat = 0, cosLat = 0, sinLon = 0, cosLon = 0;
  cr::sinCos(degToRad(q.latitude), sinLat, cosLat);
  cr::sinCos(degToRad(q.longitude), sinLon, cosLon);
  // Q's unit vector and its components along the reference point, and north
  // and east of it there.
  const double x = cosLat * cosLon, y = cosLat * sinLon, z = sinLat;
  const double along = ref.cosB0 * (ref.cosL0 * x + ref.sinL0 * y) + ref.sinB0 * z;
  const double north = -ref.sinB0 * (ref.cosL0 * x + ref.sinL0 * y) + ref.cosB0 * z;
  const double east = -ref.sinL0 * x + ref.cosL0 * y;
  const double across = std::sqrt(north * north + east * east);
  s.c = angleOf(across, along);
  s.sinC = across;
  if (across > 0) {
    // Its bearing turned back by the ray's: the angle past the ray.
    const double cosS = (north * s.cosRay + east * s.sinRay) / across;
    const double sinS = (east * s.cosRay - north * s.sinRay) / across;
    s.cosHalfS = std::sqrt(std::max(0.0, (1 + cosS) / 2));
    s.sinHalfS = s.cosHalfS > 0 ? sinS / (2 * s.cosHalfS) : 1;
  }
  return s;
}

// ---- One slice of a cell.

// The largest of sin²((s − sQ)/2) over s between the sector angles whose half
// sines are yLo and yHi, each end moved out by `ds`; 1 where the angles are
// too uncertain to tell.
double farthestBearingTerm(const Seen& q, double yLo, double yHi, double ds) {
  if (!(ds < 0.25)) return 1;
  const auto halfSine = [&](double y) { return std::abs(y * q.cosHalfS - std::sqrt((1 - y) * (1 + y)) * q.sinHalfS); };
  const double h = std::max(halfSine(yLo), halfSine(yHi)) + ds / 2;
  return std::min(1.0, h * h);
}

// The smaller |sin β| at the bearings of the sector angles with half sines
// yLo and yHi, less a margin: a lower bound over the angles between, since
// only the sector's borders can be a multiple of 180°.
double sinBearingLowerBound(const Seen& q, double yLo, double yHi) {
  const auto sinBearing = [&](double y) {
    const double cosS = 1 - 2 * y * y, sinS = 2 * y * std::sqrt((1 - y) * (1 + y));
    return std::abs(q.sinRay * cosS + q.cosRay * sinS);
  };
  return std::max(0.0, std::min(sinBearing(yLo), sinBearing(yHi)) - 1e-6);
}

// The bound of the distance (rad) from Q to the positions of the slice whose
// computed central angles lie in [a, b], with sin a and sin b given within
// 6 u; a and b on one side of π/2.  Negative where no offset of the band
// lies in the sector there.
double sliceBound(const Seen& q, double a, double b, double sinA, double sinB, const OffsetBand& band) {
  const double sinMin = std::max(0.0, std::min(sinA, sinB) - 6 * u), sinMax = std::max(sinA, sinB) + 6 * u;
  const double sin15 = sinSectorHalfWidth();
  // The computed sector angles, as half sines: the lower end at the largest
  // sine, the upper at the smallest.
  double yLo = 0;
  if (!band.fromRay) {
    yLo = band.sinHalfLo / sinMax * (1 - 2 * u);
    if (yLo > sin15 * (1 + 8 * u)) return -1;
    yLo = std::min(yLo, sin15);
  }
  const double yHi = sinMin > 0 ? std::min(sin15, band.sinHalfHi / sinMin * (1 + 2 * u)) : sin15;

  // The true central angle and sector angle around the computed ones.
  const double dc = arcCosError(cosCentralAngleError, std::max(0.0, sinMin - worstCentralAngleError));
  const double cLo = std::max(0.0, a - dc), cHi = std::min(pi(), b + dc);
  const double sinCMax = cLo <= halfPi() && halfPi() <= cHi ? 1 : std::min(1.0, sinMax + dc);
  const double ds = sectorAngleError(std::max(0.0, sinMin - dc), sinBearingLowerBound(q, yLo, yHi));

  const double dcMax = std::max(std::abs(cLo - q.c), std::abs(cHi - q.c));
  const double hav = dcMax * dcMax / 4 + sinCMax * q.sinC * farthestBearingTerm(q, yLo, yHi, ds);
  // d = 2 asin √hav <= 2 tan(asin √hav).
  const double t = std::sqrt(hav);
  return t < 1 ? std::min(pi(), 2 * t / std::sqrt((1 - t) * (1 + t))) : pi();
}

// The central angles (rad) of computed distances in [fromKm, toKm], and
// the sine of any angle among them from one sine and cosine at their start.
struct DistanceAngles {
  double from = 0, to = 0;
  double sinFrom = 0, cosFrom = 1;

  explicit DistanceAngles(const KmRange& km)
      : from(std::max(0.0, km.fromKm / kmPerRadian() * (1 - 8 * u))),
        to(std::min(pi(), km.toKm / kmPerRadian() * (1 + 8 * u))) {
    cr::sinCos(from, sinFrom, cosFrom);
  }

  // sin c for c in [from, to], within 6 u: by angle addition over the few
  // hundred metres of a range (t <= 10^-3 rad, where the series' next terms
  // are below 10^-17), the library's sine beyond.
  double sinAt(double c) const {
    const double t = c - from;
    if (t > 1e-3) return cr::sin(c);
    const double t2 = t * t;
    return sinFrom * (1 - t2 / 2 * (1 - t2 / 12)) + cosFrom * t * (1 - t2 / 6);
  }

  double largestSine() const { return from <= halfPi() && halfPi() <= to ? 1 : std::max(sinFrom, sinAt(to)) + 6 * u; }
};

// The bound over the cell of one distance range and one offset range, or
// negative where that pair has no position.
double cellBound(const Seen& q, const DistanceAngles& c, const KmRange& offsets) {
  const OffsetBand band =
      offsetBand(offsets.fromKm / kmPerRadian() * (1 - 8 * u), offsets.toKm / kmPerRadian() * (1 + 8 * u));
  // The central angles at which the band's lower offset fits in the sector,
  // sin c · sin 15° >= sin(vLo/2), where it does not at both ends.
  double from = c.from, to = c.to;
  const double sin15 = sinSectorHalfWidth();
  if (!band.fromRay && std::min(c.sinFrom, c.sinAt(to)) * sin15 < band.sinHalfLo * (1 + 8 * u)) {
    const double k = band.sinHalfLo / sin15;
    if (k > 1) return -1;
    const double edge = arcSin(k) * (1 - 8 * u);
    from = std::max(from, edge);
    to = std::min(to, pi() - edge);
    if (from > to) return -1;
  }
  // Slices: two of the span, cut where the sine turns (π/2) and a few metres
  // from either end of the sphere, where the bearing of a position is too
  // uncertain to use.
  constexpr double nearEnd = 1e-7;
  std::array<double, 6> cuts = {from, to, infinity, infinity, infinity, infinity};
  std::size_t count = 2;
  for (const double at : {halfPi(), nearEnd, pi() - nearEnd, (from + to) / 2})
    if (from < at && at < to) cuts[count++] = at;
  std::sort(cuts.begin(), cuts.end());
  double farthest = -1;
  double sinA = c.sinAt(cuts[0]);
  for (std::size_t i = 0; i + 1 < count; ++i) {
    const double sinB = c.sinAt(cuts[i + 1]);
    farthest = std::max(farthest, sliceBound(q, cuts[i], cuts[i + 1], sinA, sinB, band));
    sinA = sinB;
  }
  return farthest;
}

// The largest offset in km that the forward conversion computes at the
// central angles of `c`.
double largestOffsetKm(const DistanceAngles& c) {
  const double v = 2 * arcSin(std::min(1.0, c.largestSine() * sinSectorHalfWidth() * (1 + 4 * u))) * (1 + 8 * u);
  return (v + arcCosError(cosOffsetError, sinLowerBound(v))) * kmPerRadian() * (1 + 8 * u);
}

// Whether every offset up to `offsetKm` plainly fits the sector at every
// distance of the range: below 0.5 c'(1 − c'²/6) km, c' the shorter way to
// either end of the sphere (the largest offset is at least 0.5176 times it;
// see plainlyInReach in code_reader.cpp).
bool plainlyWithin(double offsetKm, const KmRange& distances) {
  const double shorter = std::min(distances.fromKm, maxDistanceKm - distances.toKm);
  const double angle = shorter / kmPerRadian();
  return shorter >= 1 && offsetKm <= 0.5 * shorter * (1 - angle * angle / 6);
}

// The number after `mark` up to the next blank.
std::string_view field(std::string_view text, char mark) {
  const std::size_t from = text.find(mark) + 1;
  return text.substr(from, text.find(' ', from) - from);
}

// The largest distance the forward conversion computes: the antipode's.
double farthestComputedKm() {
  static const double value = std::max(maxDistanceKm, radToDeg(pi()) * kmPerDegree);
  return value;
}

}  // namespace

double largestOffsetKm(const KmRange& distances) { return largestOffsetKm(DistanceAngles(distances)); }

bool hasPositions(const KmRanges& distances, const KmRanges& offsets) {
  for (std::size_t d = 0; d < distances.count; ++d) {
    const DistanceAngles c(distances.ranges[d]);
    for (std::size_t o = 0; o < offsets.count; ++o)
      if (plainlyWithin(offsets.ranges[o].fromKm, distances.ranges[d]) ||
          offsets.ranges[o].fromKm <= largestOffsetKm(c))
        return true;
  }
  return false;
}

double sphereDistanceKm(const Position& a, const Position& b) {
  const double p1 = degToRad(a.latitude), p2 = degToRad(b.latitude);
  const double dp = p2 - p1, dl = degToRad(b.longitude - a.longitude);
  const double h =
      std::sin(dp / 2) * std::sin(dp / 2) + std::cos(p1) * std::cos(p2) * std::sin(dl / 2) * std::sin(dl / 2);
  return radToDeg(2 * std::asin(std::min(1.0, std::sqrt(h)))) * kmPerDegree;
}

CodeCover coverOf(std::string_view text, int decimals, const CodeValues& code, const Position& position) {
  const std::string_view written = text.substr(text.find('m'));
  CodeCover cover;
  // Distances up to the farthest the conversion computes.
  const KmRanges distances = writtenRanges(field(written, 'r'), decimals);
  for (std::size_t i = 0; i < distances.count; ++i) {
    const KmRange r = distances.ranges[i];
    if (r.fromKm <= farthestComputedKm())
      cover.distances.ranges[cover.distances.count++] = {r.fromKm, std::min(r.toKm, farthestComputedKm())};
  }
  // Offsets up to the largest that those distances allow.
  std::array<std::optional<DistanceAngles>, 2> angles;
  for (std::size_t i = 0; i < cover.distances.count; ++i) angles[i].emplace(cover.distances.ranges[i]);
  const KmRanges offsets = writtenRanges(field(written, ':'), decimals);
  std::optional<double> largest;
  for (std::size_t i = 0; i < offsets.count; ++i) {
    const KmRange r = offsets.ranges[i];
    bool plain = true;
    for (std::size_t d = 0; d < cover.distances.count; ++d)
      plain = plain && plainlyWithin(r.toKm, cover.distances.ranges[d]);
    if (plain) {
      cover.offsets.ranges[cover.offsets.count++] = r;
      continue;
    }
    if (!largest) {
      largest = 0.0;
      for (std::size_t d = 0; d < cover.distances.count; ++d) largest = std::max(*largest, largestOffsetKm(*angles[d]));
    }
    if (r.fromKm <= *largest) cover.offsets.ranges[cover.offsets.count++] = {r.fromKm, std::min(r.toKm, *largest)};
  }

  const Seen q = seenFrom(position, code.hour);
  double farthest = 0;
  for (std::size_t d = 0; d < cover.distances.count; ++d)
    for (std::size_t o = 0; o < cover.offsets.count; ++o)
      farthest = std::max(farthest, cellBound(q, *angles[d], cover.offsets.ranges[o]));
  // The margin: the rounding of the positions the conversion reads (20 u),
  // of Q's place seen from the reference point (10 u) and of the bound's own
  // arithmetic.
  cover.farthestKm = (farthest * (1 + 1e-12) + 30 * u) * kmPerRadian() * (1 + 4 * u);
  return cover;
}

}  // namespace qv
