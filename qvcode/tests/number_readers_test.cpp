// The ends of the double range in every reader of numbers: a box's text
// value, algorit's numeric text and qvcode's number arguments.  Below the
// smallest double a number reads as a zero of its sign; only beyond the
// largest is it an overflow.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "qvcode/command.hpp"
#include "qvcode/tests/command_run.hpp"
#include "conversion/runtime_error.hpp"
#include "conversion/detail/text_value.hpp"
#include "component/core/element_notation.hpp"
#include "component/core/to_single.hpp"

namespace {

struct Reading {
  const char* text;
  std::optional<double> value;  // nullopt: Overflow
};

const Reading readings[] = {
    {"1e-400", 0.0},
    {"-1e-400", -0.0},
    {"0.0001e-320", 0.0},
    {"-.000000000000000000000000000000001e-300", -0.0},
    {"2e-324", 0.0},
    {"4e-324", 4.9406564584124654e-324},  // the smallest double itself
    {"1.7976931348623157e308", 1.7976931348623157e308},
    {"1.7976931348623159e308", std::nullopt},
    {"1e400", std::nullopt},
    {"-1e400", std::nullopt},
    {"0.001e312", std::nullopt},
};

struct Reader {
  const char* name;
  std::function<double(const std::string&)> read;
};

const Reader readers[] = {
    {"text value", [](const std::string& t) { return qv::textValue(t); }},
    {"numeric text", [](const std::string& t) { return *qv::numericText(t); }},
    {"qvcode argument",
     [](const std::string& t) {
       double v = 0;
       if (!qvcode::parseNumber(t, v)) throw std::logic_error("not a number");
       return v;
     }},
};

TEST(NumberReaders, UnderflowIsASignedZeroAndOnlyOverflowIsAnError) {
  for (const Reader& r : readers) {
    for (const Reading& c : readings) {
      SCOPED_TRACE(std::string(r.name) + " of " + c.text);
      if (!c.value) {
        try {
          r.read(c.text);
          ADD_FAILURE() << "no overflow";
        } catch (const qv::RuntimeError& e) {
          EXPECT_EQ(e.number(), 6);
        }
        continue;
      }
      const double v = r.read(c.text);
      EXPECT_EQ(v, *c.value);
      EXPECT_EQ(std::signbit(v), std::signbit(*c.value));
    }
  }
}

// One rule of signs in the readers that refuse what is no number: one "+" or
// "-" right before it, never two.  An element that is no number stays a text,
// which algorit then refuses as a type mismatch.  (A box's text value reads
// as far as it can, so "+-5" there is 0.)
TEST(NumberReaders, TakeOneSignAndRefuseTwo) {
  using Read = std::function<std::optional<double>(const std::string&)>;
  const Read signReaders[] = {
      [](const std::string& t) { return qv::numericText(t); },
      [](const std::string& t) -> std::optional<double> {
        double v = 0;
        return qvcode::parseNumber(t, v) ? std::optional(v) : std::nullopt;
      },
      [](const std::string& t) -> std::optional<double> {
        const qv::Value v = qv::readElement(t);
        return std::holds_alternative<double>(v) ? std::optional(std::get<double>(v)) : std::nullopt;
      },
  };
  const struct {
    const char* text;
    std::optional<double> value;
  } cases[] = {{"+5", 5}, {"-5", -5}, {"+.5", 0.5}, {"+-5", {}}, {"-+5", {}}, {"--5", {}}, {"++5", {}}};
  for (std::size_t r = 0; r < std::size(signReaders); ++r)
    for (const auto& c : cases) EXPECT_EQ(signReaders[r](c.text), c.value) << "reader " << r << " of " << c.text;
}

using qvcode::testing::run;
using Outcome = qvcode::testing::Result;

TEST(NumberReaders, CommandsReadATinyNumberAsZeroAndAHugeOneAsOverflow) {
  const Outcome tiny = run(qvcode::runAlgorit, {"1e-400", "0", "0", "10", "0", "0", "N", "E"});
  EXPECT_EQ(tiny.status, 0) << tiny.err;
  EXPECT_EQ(tiny.out, run(qvcode::runAlgorit, {"0", "0", "0", "10", "0", "0", "N", "E"}).out);
  EXPECT_EQ(run(qvcode::runAlgorit, {"--text", "1e-400", "0", "0", "10", "0", "0", "N", "E"}).out, tiny.out);

  const Outcome negative = run(qvcode::runEncode, {"--json", "-1e-400", "0"});
  EXPECT_EQ(negative.status, 0) << negative.err;
  EXPECT_NE(negative.out.find(R"("latitude":-0,)"), std::string::npos) << negative.out;

  for (const auto command : {qvcode::runEncode, qvcode::runAlgorit}) {
    const Outcome huge = command == qvcode::runEncode ? run(command, {"1e400", "0"})
                                                      : run(command, {"1e400", "0", "0", "10", "0", "0", "N", "E"});
    EXPECT_EQ(huge.status, 1);
    EXPECT_EQ(huge.err, "qvcode: run-time error 6: Overflow\n");
  }
  // A huge number does not hide a wrong count of arguments.
  EXPECT_EQ(run(qvcode::runEncode, {"1e400"}).status, 2);
}

}  // namespace
