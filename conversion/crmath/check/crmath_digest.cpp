// crmath_digest: one hash per correctly rounded function over the checker's
// special inputs and a reproducible random stream, so that two builds (two
// processors, two compilers) can be held against each other without MPFR by
// comparing a few lines (scripts/compare-arm).
//
//   crmath_digest [--count N] [--seed S]
//
// prints, for each of sin, cos, atan, the two results of sinCos and the batch
// functions, `NAME INPUTS HASH`: the 64-bit FNV-1a hash of the results' bits
// in input order.  Every NaN is hashed as one value: processors differ in the
// sign of the NaN that they make (x86 sets it, ARM64 does not), and no
// function here promises one.  Exit status 2 for a wrong command line.
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string_view>
#include <vector>

#include "conversion/crmath/check/inputs.hpp"
#include "conversion/crmath/correctly_rounded.hpp"
#include "conversion/crmath/many.hpp"

namespace {

constexpr const char* kUsage = "usage: crmath_digest [--count N] [--seed S]\n";

std::uint64_t hashOf(const std::vector<double>& results) {
  std::uint64_t hash = 0xcbf29ce484222325u;
  for (double r : results) {
    const std::uint64_t bits = std::isnan(r) ? 0x7ff8000000000000u : std::bit_cast<std::uint64_t>(r);
    for (int byte = 0; byte < 8; ++byte) {
      hash ^= (bits >> (8 * byte)) & 0xffu;
      hash *= 0x100000001b3u;
    }
  }
  return hash;
}

bool readNumber(std::string_view text, std::uint64_t& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

}  // namespace

int main(int argc, char** argv) {
  std::uint64_t count = 300000, seed = 1;
  for (int i = 1; i < argc; i += 2) {
    const std::string_view option = argv[i];
    std::uint64_t* value = option == "--count" ? &count : option == "--seed" ? &seed : nullptr;
    if (value == nullptr || i + 1 == argc || !readNumber(argv[i + 1], *value)) {
      std::fputs(kUsage, stderr);
      return 2;
    }
  }

  std::vector<double> x = qv::crcheck::specialInputs();
  qv::crcheck::RandomInputs random(seed);
  for (std::uint64_t i = 0; i < count; ++i) x.push_back(random.next());
  const std::size_t n = x.size();

  const auto print = [&](const char* name, const std::function<void(std::vector<double>&)>& compute) {
    std::vector<double> out(n);
    compute(out);
    std::printf("%s %zu %016llx\n", name, n, static_cast<unsigned long long>(hashOf(out)));
  };
  const auto each = [&](double (*f)(double)) {
    return [&x, f](std::vector<double>& out) {
      for (std::size_t i = 0; i < x.size(); ++i) out[i] = f(x[i]);
    };
  };
  print("sin", each(qv::cr::sin));
  print("cos", each(qv::cr::cos));
  print("atan", each(qv::cr::atan));
  print("sinCos.sin", [&](std::vector<double>& out) {
    double c = 0;
    for (std::size_t i = 0; i < n; ++i) qv::cr::sinCos(x[i], out[i], c);
  });
  print("sinCos.cos", [&](std::vector<double>& out) {
    double s = 0;
    for (std::size_t i = 0; i < n; ++i) qv::cr::sinCos(x[i], s, out[i]);
  });
  std::vector<double> sines(n);
  print("sinCosMany.cos", [&](std::vector<double>& out) { qv::cr::sinCosMany(x.data(), sines.data(), out.data(), n); });
  print("sinCosMany.sin", [&](std::vector<double>& out) { out = sines; });
  print("cosMany", [&](std::vector<double>& out) { qv::cr::cosMany(x.data(), out.data(), n); });
  print("atanMany", [&](std::vector<double>& out) { qv::cr::atanMany(x.data(), out.data(), n); });
  return 0;
}
