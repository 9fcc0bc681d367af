// The doubles the checker tries.
#include "conversion/crmath/check/inputs.hpp"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>

namespace qv::crcheck {
namespace {

constexpr std::uint64_t kSignificandMask = (std::uint64_t{1} << 52) - 1;
constexpr std::uint64_t kSignBit = std::uint64_t{1} << 63;

std::uint64_t bits(double x) { return std::bit_cast<std::uint64_t>(x); }

}  // namespace

std::vector<double> specialInputs() {
  using limits = std::numeric_limits<double>;
  const double withNeighbours[] = {limits::denorm_min(),
                                   limits::min() - limits::denorm_min(),
                                   limits::min(),
                                   limits::max(),
                                   0x1p-27,
                                   0x1p-26,
                                   1.0,
                                   0x1.921fb54442d18p+0,
                                   0x1.921fb54442d18p+1,
                                   0x1.921fb54442d18p+2,
                                   8.0,
                                   0x1p+53,
                                   1e22,
                                   0x1p+1023};
  std::vector<double> inputs = {0.0, limits::infinity(), limits::quiet_NaN()};
  for (double x : withNeighbours) {
    inputs.push_back(x);
    inputs.push_back(std::nextafter(x, 0.0));
    inputs.push_back(std::nextafter(x, limits::infinity()));  // inf after the largest
  }
  // Next to multiples of π/512 (45°, 22.5°, … in radians, and some beyond
  // 8192), where the fast reduction leaves almost nothing.
  for (int k = 1; k <= 4096; ++k) {
    const double x = k * 0x1.921fb54442d18p-8 * (k % 2 == 0 ? 1 : 509);
    inputs.insert(inputs.end(), {x, std::nextafter(x, 0.0), std::nextafter(x, limits::infinity())});
  }
  const std::size_t positives = inputs.size();
  for (std::size_t i = 0; i < positives; ++i) inputs.push_back(-inputs[i]);
  // One of each: the smallest subnormal's lower neighbour is 0, …
  std::vector<double> unique;
  for (double x : inputs)
    if (std::none_of(unique.begin(), unique.end(), [x](double u) { return bits(u) == bits(x); })) unique.push_back(x);
  return unique;
}

double RandomInputs::next() {
  const std::uint64_t choice = rng_();
  const std::uint64_t signAndSignificand = rng_() & (kSignBit | kSignificandMask);
  std::uint64_t biasedExponent;
  if (choice % 4 != 0) {
    biasedExponent = (choice >> 2) % 2047;
  } else {
    // |x| in [2^(2-k), 2^(3-k)) with probability 2^-(k+1), as a uniform
    // value below 8 falls: k is the count of leading zeros of random bits.
    biasedExponent = 1023 + 2 - static_cast<std::uint64_t>(std::countl_zero(rng_()));
  }
  return std::bit_cast<double>(signAndSignificand | biasedExponent << 52);
}

}  // namespace qv::crcheck
