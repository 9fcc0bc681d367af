// The correctly rounded sine, cosine and arc tangent at their edges (values
// from MPFR), and every processor variant, single and batch, bit for bit
// against the portable single functions.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "conversion/crmath/correctly_rounded.hpp"
#include "conversion/crmath/many.hpp"
#include "conversion/crmath/variants.hpp"

namespace {

std::uint64_t bitsOf(double v) {
  std::uint64_t b;
  std::memcpy(&b, &v, sizeof b);
  return b;
}

double single(const std::string& f, double x) {
  return f == "sin" ? qv::cr::sin(x) : f == "cos" ? qv::cr::cos(x) : qv::cr::atan(x);
}

struct Edge {
  const char* function;
  double x, expected;
};

// Around 2^-27, where the small-argument shortcuts end; π/2 and π as doubles;
// both sides of 8192, where the reduction changes; 10^22, DBL_MAX; 2^54,
// where atan becomes π/2.
const Edge edges[] = {
    {"sin", 0x0.0000000000001p-1022, 0x0.0000000000001p-1022},
    {"sin", 0x1.fffffffffffffp-28, 0x1.fffffffffffffp-28},
    {"sin", 0x1.0000000000001p-27, 0x1.0000000000001p-27},
    {"sin", 0x1.921fb54442d18p+0, 0x1p+0},
    {"sin", 0x1.921fb54442d18p+1, 0x1.1a62633145c07p-53},
    {"sin", 0x1.fffffffffffffp+12, -0x1.e98f87098d242p-1},
    {"sin", 0x1p+13, -0x1.e98f87098c8e4p-1},
    {"sin", 1e22, -0x1.b453ab76bf397p-1},
    {"sin", 0x1.fffffffffffffp+1023, 0x1.452fc98b34e97p-8},
    {"sin", 0x1.0000000000001p+54, -0x1.02951a98029a7p-2},
    {"sin", -0x1.5p-3, -0x1.4e7ea4dc5f27bp-3},
    {"cos", 0x0.0000000000001p-1022, 1},
    {"cos", 0x1.0000000000001p-27, 1},
    {"cos", 0x1.921fb54442d18p+0, 0x1.1a62633145c07p-54},
    {"cos", 0x1.921fb54442d18p+1, -1},
    {"cos", 0x1.fffffffffffffp+12, 0x1.2bd43d0eaef6p-2},
    {"cos", 0x1p+13, 0x1.2bd43d0eb2c92p-2},
    {"cos", 1e22, 0x1.0be2cef01c8f4p-1},
    {"cos", 0x1.fffffffffffffp+1023, -0x1.fffe62ecfab75p-1},
    {"cos", -0x1.5p-3, 0x1.f91ff40374d01p-1},
    {"atan", 0x0.0000000000001p-1022, 0x0.0000000000001p-1022},
    {"atan", 0x1.0000000000001p-27, 0x1.0000000000001p-27},
    {"atan", 1, 0x1.921fb54442d18p-1},
    {"atan", 0x1.921fb54442d18p+1, 0x1.433b8a322ddd3p+0},
    {"atan", 0x1p+13, 0x1.9217b544437c3p+0},
    {"atan", 0x1p+54, 0x1.921fb54442d18p+0},
    {"atan", 0x1.0000000000001p+54, 0x1.921fb54442d18p+0},
    {"atan", -0x1.5p-3, -0x1.4d087a9da4f17p-3},
};

TEST(CorrectlyRounded, EdgesAndIeeeSpecials) {
  for (const Edge& e : edges) {
    EXPECT_EQ(bitsOf(single(e.function, e.x)), bitsOf(e.expected)) << e.function << "(" << e.x << ")";
    if (std::string(e.function) != "cos") {  // odd functions
      EXPECT_EQ(bitsOf(single(e.function, -e.x)), bitsOf(-e.expected)) << e.function << "(" << -e.x << ")";
    }
  }
  const double inf = std::numeric_limits<double>::infinity(), nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(bitsOf(qv::cr::sin(-0.0)), bitsOf(-0.0));
  EXPECT_EQ(bitsOf(qv::cr::atan(-0.0)), bitsOf(-0.0));
  EXPECT_EQ(qv::cr::cos(-0.0), 1);
  EXPECT_EQ(qv::cr::atan(-inf), -0x1.921fb54442d18p+0);
  for (double x : {inf, -inf, nan}) {
    EXPECT_TRUE(std::isnan(qv::cr::sin(x)));
    EXPECT_TRUE(std::isnan(qv::cr::cos(x)));
  }
  EXPECT_TRUE(std::isnan(qv::cr::atan(nan)));
}

// Random arguments where the conversions take them, across the whole range,
// and the edges, mixed so that every vector holds lanes of both paths.
std::vector<double> mixedArguments() {
  std::mt19937_64 random(21);
  std::vector<double> xs;
  for (int i = 0; i < 60000; ++i) {
    const double u = std::ldexp(static_cast<double>(random() >> 11), -53);
    switch (i % 4) {
      case 0: xs.push_back((u - 0.5) * 20); break;
      case 1: xs.push_back(std::ldexp(u + 1, static_cast<int>(random() % 80) - 40) * (i % 8 == 1 ? -1 : 1)); break;
      case 2: xs.push_back(std::bit_cast<double>(random())); break;
      default: xs.push_back(edges[random() % std::size(edges)].x); break;
    }
  }
  // Next to multiples of π/512, where the reduction leaves almost nothing
  // (45°, 22.5°, … in radians, and beyond), and whole and half degrees.
  const double step = std::atan(1.0) / 128;
  for (int k = 1; k < 4096; k += 7) {
    const double x = k * step * (k % 3 == 0 ? 509 : 1);
    xs.insert(xs.end(), {x, std::nextafter(x, 0.0), std::nextafter(x, 1e300), -x});
  }
  for (int d = -720; d <= 720; ++d) xs.push_back(d * 0.5 * (std::atan(1.0) / 45));
  for (double x : {0.0, -0.0, std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()})
    xs.push_back(x);
  return xs;
}

using SinCos = void (*)(const double*, double*, double*, std::size_t);
using OneOf = void (*)(const double*, double*, std::size_t);

void expectSameAsSingles(const char* variant, SinCos sinCos, OneOf cosOnly, OneOf atan) {
  const std::vector<double> xs = mixedArguments();
  // Every length up to 9 at every offset modulo 4, then the whole span.
  for (std::size_t start = 0; start < 4; ++start)
    for (std::size_t n = 0; n <= 9; ++n) {
      std::vector<double> s(n), c(n), c2(n), a(n);
      sinCos(xs.data() + start, s.data(), c.data(), n);
      cosOnly(xs.data() + start, c2.data(), n);
      atan(xs.data() + start, a.data(), n);
      for (std::size_t i = 0; i < n; ++i) {
        const double x = xs[start + i];
        ASSERT_EQ(bitsOf(s[i]), bitsOf(qv::cr::sin(x))) << variant << " sin " << x;
        ASSERT_EQ(bitsOf(c[i]), bitsOf(qv::cr::cos(x))) << variant << " cos " << x;
        ASSERT_EQ(bitsOf(c2[i]), bitsOf(qv::cr::cos(x))) << variant << " cos alone " << x;
        ASSERT_EQ(bitsOf(a[i]), bitsOf(qv::cr::atan(x))) << variant << " atan " << x;
      }
    }
  std::vector<double> s(xs.size()), c(xs.size()), c2(xs.size()), a(xs.size());
  sinCos(xs.data(), s.data(), c.data(), xs.size());
  cosOnly(xs.data(), c2.data(), xs.size());
  atan(xs.data(), a.data(), xs.size());
  for (std::size_t i = 0; i < xs.size(); ++i) {
    const double x = xs[i];
    ASSERT_EQ(bitsOf(s[i]), bitsOf(qv::cr::sin(x))) << variant << " sin " << x;
    ASSERT_EQ(bitsOf(c[i]), bitsOf(qv::cr::cos(x))) << variant << " cos " << x;
    ASSERT_EQ(bitsOf(c2[i]), bitsOf(qv::cr::cos(x))) << variant << " cos alone " << x;
    ASSERT_EQ(bitsOf(a[i]), bitsOf(qv::cr::atan(x))) << variant << " atan " << x;
  }
}

TEST(CorrectlyRounded, SinCosGivesTheBitsOfTheTwoCalls) {
  for (double x : mixedArguments()) {
    double s = 0, c = 0;
    qv::cr::sinCos(x, s, c);
    ASSERT_EQ(bitsOf(s), bitsOf(qv::cr::sin(x))) << x;
    ASSERT_EQ(bitsOf(c), bitsOf(qv::cr::cos(x))) << x;
  }
}

// The portable variant is the reference: the public functions may be any.
TEST(CorrectlyRounded, EverySingleVariantGivesThePortableBits) {
  const auto variants = qv::cr::singleVariants();
  const qv::cr::SingleVariant& portable = variants.back();
  ASSERT_STREQ(portable.name, "portable");
  std::string notRun;
  for (const qv::cr::SingleVariant& v : variants) {
    if (!v.available()) {
      notRun += std::string(" ") + v.name;
      continue;
    }
    for (double x : mixedArguments()) {
      double s = 0, c = 0;
      v.sinCos(x, s, c);
      ASSERT_EQ(bitsOf(v.sin(x)), bitsOf(portable.sin(x))) << v.name << " sin " << x;
      ASSERT_EQ(bitsOf(v.cos(x)), bitsOf(portable.cos(x))) << v.name << " cos " << x;
      ASSERT_EQ(bitsOf(v.atan(x)), bitsOf(portable.atan(x))) << v.name << " atan " << x;
      ASSERT_EQ(bitsOf(s), bitsOf(portable.sin(x))) << v.name << " sinCos " << x;
      ASSERT_EQ(bitsOf(c), bitsOf(portable.cos(x))) << v.name << " sinCos " << x;
    }
  }
  if (!notRun.empty()) GTEST_SKIP() << "not run on this processor:" << notRun;
}

TEST(CorrectlyRounded, EveryBatchVariantGivesTheSingleFunctionsBits) {
  expectSameAsSingles("chosen", qv::cr::sinCosMany, qv::cr::cosMany, qv::cr::atanMany);
  std::string notRun;
  for (const qv::cr::ManyVariant& v : qv::cr::manyVariants()) {
    if (v.available())
      expectSameAsSingles(v.name, v.sinCos, v.cos, v.atan);
    else
      notRun += std::string(" ") + v.name;
  }
  if (!notRun.empty()) GTEST_SKIP() << "not run on this processor:" << notRun;
}

}  // namespace
