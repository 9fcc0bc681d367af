// The ranges of a written number: its decimal bounds, each moved outward over
// the doubles that its writer still writes as the same digits.

#include "conversion/code_ranges.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "conversion/code_text.hpp"
#include "conversion/detail/decimal_number.hpp"
#include "conversion/detail/float_text.hpp"

namespace qv {
namespace {

// Beyond this the numbers are far past the sphere (the readers refuse them)
// and their ranges need not be exact.
constexpr double exactUpToKm = 1e8;

// Whether the writer of the code form writes `v` as `digits`.
bool writesAs(double v, std::string_view digits, int decimals) {
  char text[400];
  const char* end = decimals < 0 ? writeOneDecimal(text, v) : writeFixed(text, text + sizeof text, v, decimals);
  return std::string_view(text, static_cast<std::size_t>(end - text)) == digits;
}

// `r` with each end moved outward while the next double beyond it is
// written as `digits` too.  Rounding v·10, or the decimal bound itself, is
// off by an ulp or two at most; the steps are bounded all the same.
KmRange widened(KmRange r, std::string_view digits, int decimals) {
  constexpr int maxSteps = 64;
  for (int i = 0; i < maxSteps && r.fromKm > 0; ++i) {
    const double below = std::nextafter(r.fromKm, 0.0);
    if (!writesAs(below, digits, decimals)) break;
    r.fromKm = below;
  }
  for (int i = 0; i < maxSteps; ++i) {
    const double above = std::nextafter(r.toKm, std::numeric_limits<double>::infinity());
    if (!writesAs(above, digits, decimals)) break;
    r.toKm = above;
  }
  return r;
}

// [from, to] in units of 10^-scale km, as the doubles nearest their ends.
KmRange inUnits(std::int64_t from, std::int64_t to, int scale) {
  // Powers of ten up to 10^22 are exact doubles.
  static constexpr double tens[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                    1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  const double unit = scale >= 0 && scale <= 22 ? tens[scale] : std::pow(10.0, scale);
  return {std::max(0.0, static_cast<double>(from) / unit), static_cast<double>(to) / unit};
}

}  // namespace

KmRanges writtenRanges(std::string_view digits, int decimals) {
  const std::size_t point = std::min(digits.find('.'), digits.size());
  const int k = point == digits.size() ? 0 : static_cast<int>(digits.size() - point - 1);
  const double value = unsignedDecimal(digits, point).value_or(std::numeric_limits<double>::infinity());
  KmRanges r;
  if (!(value < exactUpToKm) || k > 12) {
    r.ranges[0] = {value, value};
    r.count = 1;
    return r;
  }
  // The digits as a whole number n of 10^-k km: exact, so that the ends are
  // the doubles nearest their decimal values (6.65, not 6.6499…).
  std::int64_t n = 0;
  for (const char c : digits)
    if (c != '.') n = n * 10 + (c - '0');
  if (decimals >= 0 || k > 0) {
    r.ranges[0] = inUnits(10 * n - 5, 10 * n + 5, k + 1);
    r.count = 1;
  } else {
    // Whole kilometres without a tenth: truncated whole part, and a tenth
    // that rounded to 0 from either side of it.
    r.ranges[0] = inUnits(100 * n, 100 * n + 5, 2);
    r.ranges[1] = inUnits(100 * n + 95, 100 * n + 100, 2);
    r.count = 2;
  }
  for (std::size_t i = 0; i < r.count; ++i) r.ranges[i] = widened(r.ranges[i], digits, decimals);
  return r;
}

}  // namespace qv
