// check_math: the library's correctly rounded sin, cos and atan against
// MPFR, bit for bit, on special and random inputs and on the hard cases of a
// file: every processor variant this processor runs (single and batch, and
// sinCos beside sin and cos), each input's MPFR value computed once for all.  Exit status 0 when every result is right,
// 1 when one is wrong, 2 for a wrong command line or a malformed hard-case file.
#include <mpfr.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "conversion/crmath/check/checker.hpp"
#include "conversion/crmath/check/hard_cases.hpp"
#include "conversion/crmath/check/inputs.hpp"
#include "conversion/crmath/variants.hpp"

namespace {

using namespace qv::crcheck;

// A single function of one double, or one part of a sinCos, on n inputs.
Candidate single(std::string name, double (*f)(double)) {
  return {std::move(name), [f](const double* x, double* out, std::size_t n) {
            for (std::size_t i = 0; i < n; ++i) out[i] = f(x[i]);
          }};
}
Candidate sinCosPart(std::string name, void (*f)(double, double&, double&), bool cosine) {
  return {std::move(name), [f, cosine](const double* x, double* out, std::size_t n) {
            double other = 0;
            for (std::size_t i = 0; i < n; ++i) cosine ? f(x[i], other, out[i]) : f(x[i], out[i], other);
          }};
}
Candidate batchSinCosPart(std::string name, void (*f)(const double*, double*, double*, std::size_t), bool cosine) {
  return {std::move(name), [f, cosine](const double* x, double* out, std::size_t n) {
            double other[kBlock];
            cosine ? f(x, other, out, n) : f(x, out, other, n);
          }};
}

// sin, cos and atan with every variant this processor runs.
std::vector<Function> allFunctions() {
  Function sin{"sin", mpfr_sin, {}}, cos{"cos", mpfr_cos, {}}, atan{"atan", mpfr_atan, {}};
  for (const qv::cr::SingleVariant& v : qv::cr::singleVariants()) {
    if (!v.available()) continue;
    const std::string name = v.name;
    sin.candidates.push_back(single(name, v.sin));
    sin.candidates.push_back(sinCosPart(name + " sinCos", v.sinCos, false));
    cos.candidates.push_back(single(name, v.cos));
    cos.candidates.push_back(sinCosPart(name + " sinCos", v.sinCos, true));
    atan.candidates.push_back(single(name, v.atan));
  }
  for (const qv::cr::ManyVariant& v : qv::cr::manyVariants()) {
    if (!v.available()) continue;
    const std::string name = std::string(v.name) + " batch";
    sin.candidates.push_back(batchSinCosPart(name + " sinCos", v.sinCos, false));
    cos.candidates.push_back(batchSinCosPart(name + " sinCos", v.sinCos, true));
    cos.candidates.push_back({name, v.cos});
    atan.candidates.push_back({name, v.atan});
  }
  return {sin, cos, atan};
}

const std::vector<Function>& functions() {
  static const std::vector<Function> all = allFunctions();
  return all;
}

constexpr std::string_view kFunctionNames[] = {"sin", "cos", "atan"};

constexpr const char* kUsage =
    "usage: check_math [--count N] [--seed S] [--threads T] [--hard FILE] [--functions sin,cos,atan]\n"
    "  --count N      random inputs per function (default 1000000), besides the special ones\n"
    "  --seed S       the first thread's random stream; thread t draws from S + t (default 1)\n"
    "  --threads T    threads sharing the random inputs (default: the processors)\n"
    "  --hard FILE    also the cases of FILE, with how close each comes to a rounding boundary\n"
    "  --functions L  which functions, comma separated (default all)\n";

struct Options {
  std::uint64_t count = 1'000'000;
  std::uint64_t seed = 1;
  unsigned threads = std::max(1u, std::thread::hardware_concurrency());
  std::optional<std::string> hardFile;
  std::vector<const Function*> functions;
};

bool readNumber(std::string_view text, std::uint64_t& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return !text.empty() && error == std::errc() && end == text.data() + text.size();
}

const Function* findFunction(std::string_view name) {
  for (const Function& f : functions())
    if (name == f.name) return &f;
  return nullptr;
}

// The options, or nothing after saying what is wrong.
std::optional<Options> readOptions(int argc, char** argv) {
  Options o;
  std::string_view functions = "sin,cos,atan";
  for (int i = 1; i < argc; ++i) {
    const std::string_view option = argv[i];
    if (option == "--help" || option == "-h") {
      std::fputs(kUsage, stdout);
      std::exit(0);
    }
    if (i + 1 == argc) {
      std::fprintf(stderr, "check_math: %s needs a value\n", argv[i]);
      return std::nullopt;
    }
    const std::string_view value = argv[++i];
    std::uint64_t number = 0;
    if (option == "--count" && readNumber(value, number)) {
      o.count = number;
    } else if (option == "--seed" && readNumber(value, number)) {
      o.seed = number;
    } else if (option == "--threads" && readNumber(value, number) && number >= 1 && number <= 1024) {
      o.threads = static_cast<unsigned>(number);
    } else if (option == "--hard") {
      o.hardFile = std::string(value);
    } else if (option == "--functions") {
      functions = value;
    } else {
      std::fprintf(stderr, "check_math: bad option %s %s\n", argv[i - 1], argv[i]);
      return std::nullopt;
    }
  }
  while (!functions.empty()) {
    const std::string_view name = functions.substr(0, functions.find(','));
    functions.remove_prefix(std::min(functions.size(), name.size() + 1));
    const Function* f = findFunction(name);
    if (f == nullptr) {
      std::fprintf(stderr, "check_math: unknown function '%.*s'\n", static_cast<int>(name.size()), name.data());
      return std::nullopt;
    }
    if (std::find(o.functions.begin(), o.functions.end(), f) == o.functions.end()) o.functions.push_back(f);
  }
  if (o.functions.empty()) {
    std::fprintf(stderr, "check_math: no function to check\n");
    return std::nullopt;
  }
  return o;
}

double secondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void printWrong(const Function& f, const WrongResult& w) {
  std::printf("  %s(%a) = %a, expected %a (%.6g ulp), %s\n", f.name, w.input, w.got, w.expected, w.ulpError,
              w.variant.c_str());
}

// The special and `count` random inputs of f; the count of wrong results.
std::uint64_t checkFunction(const Function& f, const Options& o) {
  const auto start = std::chrono::steady_clock::now();
  Tally tally;
  {
    Reference reference;
    const std::vector<double> special = specialInputs();
    for (std::size_t i = 0; i < special.size(); i += kBlock)
      checkBlock(f, std::span(special).subspan(i, std::min(kBlock, special.size() - i)), reference, tally);
  }
  tally.add(checkRandom(f, o.count, o.seed, o.threads, std::chrono::seconds(5), [&](std::uint64_t done) {
    std::fprintf(stderr, "%s: %llu / %llu\n", f.name, static_cast<unsigned long long>(done),
                 static_cast<unsigned long long>(o.count));
  }));
  const double seconds = secondsSince(start);
  std::printf("%s: %llu inputs, %llu wrong, ", f.name, static_cast<unsigned long long>(tally.checked),
              static_cast<unsigned long long>(tally.wrong));
  if (tally.wrong == 0)
    std::printf("max error <= 0.5 ulp");
  else
    std::printf("max error %.6g ulp", tally.maxWrongUlpError);
  std::printf(", %.2f s (%.0f inputs/s)\n", seconds, static_cast<double>(tally.checked) / seconds);
  for (const WrongResult& w : tally.firstWrong) printWrong(f, w);
  return tally.wrong;
}

// Each case of a chosen function, with its hardness; the count of wrong results.
std::uint64_t checkHardCases(const std::vector<HardCase>& cases, const Options& o) {
  const auto start = std::chrono::steady_clock::now();
  Reference reference;
  std::uint64_t checked = 0, wrong = 0;
  for (const HardCase& c : cases) {
    const Function* f = findFunction(c.function);
    if (std::find(o.functions.begin(), o.functions.end(), f) == o.functions.end()) continue;
    Tally tally;
    const bool right = checkBlock(*f, std::span(&c.input, 1), reference, tally);
    const Hardness h = reference.hardness(f->reference, c.input);
    ++checked;
    std::printf("%s(%a): %s, ", f->name, c.input, right ? "right" : "WRONG");
    if (h.exact)
      std::printf("exact, nothing to round");
    else
      std::printf("%s%d identical bits after the rounding bit, near a %s", h.beyondPrecision ? ">= " : "",
                  h.identicalBits, h.nearMidpoint ? "midpoint" : "double");
    std::printf(" (line %d: %s)\n", c.line, c.source.c_str());
    if (!right) {
      ++wrong;
      printWrong(*f, tally.firstWrong.front());
    }
  }
  std::printf("hard cases: %llu checked, %llu wrong, %.2f s\n", static_cast<unsigned long long>(checked),
              static_cast<unsigned long long>(wrong), secondsSince(start));
  return wrong;
}

}  // namespace

int main(int argc, char** argv) {
  const std::optional<Options> read = readOptions(argc, argv);
  if (!read) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  Options o = *read;
  // Read before the long random runs, so that a malformed file stops at once.
  std::vector<HardCase> hardCases;
  if (o.hardFile) {
    std::ifstream file(*o.hardFile);
    if (!file) {
      std::fprintf(stderr, "check_math: cannot read %s\n", o.hardFile->c_str());
      return 2;
    }
    try {
      hardCases = readHardCases(file, kFunctionNames);
    } catch (const MalformedLine& e) {
      std::fprintf(stderr, "%s:%d: %s\n", o.hardFile->c_str(), e.line(), e.what());
      return 2;
    }
  }
  // Without thread-local storage MPFR's exponent range, which the reference
  // narrows on every call, is shared by all threads.
  if (o.threads > 1 && !mpfr_buildopt_tls_p()) {
    std::fprintf(stderr, "check_math: this MPFR is not thread-safe; one thread\n");
    o.threads = 1;
  }
  std::printf("MPFR %s; %llu random inputs per function, seed %llu, %u threads\n", mpfr_get_version(),
              static_cast<unsigned long long>(o.count), static_cast<unsigned long long>(o.seed), o.threads);
  for (const Function* f : o.functions) {
    std::printf("%s against:", f->name);
    for (const Candidate& c : f->candidates) std::printf(" %s;", c.name.c_str());
    std::printf("\n");
  }
  std::printf("not run on this processor:");
  for (const qv::cr::SingleVariant& v : qv::cr::singleVariants())
    if (!v.available()) std::printf(" %s;", v.name);
  for (const qv::cr::ManyVariant& v : qv::cr::manyVariants())
    if (!v.available()) std::printf(" %s batch;", v.name);
  std::printf("\n");
  std::fflush(stdout);
  std::uint64_t wrong = 0;
  for (const Function* f : o.functions) {
    wrong += checkFunction(*f, o);
    std::fflush(stdout);
  }
  if (o.hardFile) wrong += checkHardCases(hardCases, o);
  mpfr_free_cache();
  return wrong == 0 ? 0 : 1;
}
