// The Variant-to-Single conversion of algorit's elements.

#include "component/core/to_single.hpp"

#include <cmath>
#include <string>

#include "component/core/blanks.hpp"
#include "conversion/detail/checked_math.hpp"
#include "conversion/detail/decimal_number.hpp"
#include "conversion/runtime_error.hpp"

namespace qv {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

float single(double v) {
  const auto s = static_cast<float>(checked(v));
  if (std::isinf(s)) throw RuntimeError(ErrorKind::Overflow);
  return s;
}

std::optional<double> numericText(std::string_view text) {
  text = trimBlanks(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  // from_chars would also take "inf" and "nan"; a number starts with a digit
  // or the decimal point.
  if (text.empty() || !(isDigit(text.front()) || text.front() == '.')) return std::nullopt;

  std::string digits(text);
  for (char& c : digits)
    if (c == 'D' || c == 'd') c = 'E';
  const std::optional<double> v = decimalNumber(digits);
  if (!v) return std::nullopt;
  return negative ? -*v : *v;
}

float toSingle(const Value& v) {
  struct Convert {
    float operator()(Empty) const { return 0; }
    float operator()(Null) const { throw RuntimeError(ErrorKind::InvalidUseOfNull); }
    float operator()(bool b) const { return b ? -1.0f : 0.0f; }
    float operator()(double d) const { return single(d); }
    float operator()(const std::string& s) const {
      const std::optional<double> n = numericText(s);
      if (!n) throw RuntimeError(ErrorKind::TypeMismatch);
      return single(*n);
    }
    float operator()(Unsupported) const { throw RuntimeError(ErrorKind::TypeMismatch); }
  };
  return std::visit(Convert{}, v);
}

}  // namespace qv
