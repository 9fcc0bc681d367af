#include "text_value.hpp"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <string>
#include <system_error>

#include "runtime_error.hpp"

namespace qv {
namespace {

class Reader {
 public:
  explicit Reader(std::string_view t) : text_(t) {}

  // The next character that counts, or 0 at the end.
  char peek() {
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t' || text_[pos_] == '\n')) ++pos_;
    return pos_ < text_.size() ? text_[pos_] : '\0';
  }
  void take() { ++pos_; }

  std::string digits() {
    std::string d;
    while (std::isdigit(static_cast<unsigned char>(peek()))) {
      d += peek();
      take();
    }
    return d;
  }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

// The power of ten of the leading significant digit of whole.fraction.
long long decimalMagnitude(const std::string& whole, const std::string& fraction) {
  const auto first = whole.find_first_not_of('0');
  if (first != std::string::npos) return static_cast<long long>(whole.size() - first) - 1;
  const auto lead = fraction.find_first_not_of('0');
  return lead == std::string::npos ? 0 : -static_cast<long long>(lead) - 1;
}

}  // namespace

double textValue(std::string_view text) {
  Reader r(text);
  std::string number;
  if (r.peek() == '-' || r.peek() == '+') {
    if (r.peek() == '-') number += '-';
    r.take();
  }
  const std::string whole = r.digits();
  std::string fraction;
  if (r.peek() == '.') {
    r.take();
    fraction = r.digits();
  }
  if (whole.empty() && fraction.empty()) return 0;
  number += (whole.empty() ? "0" : whole) + "." + fraction + "0";

  long long exponentValue = 0;
  const char e = r.peek();
  if (e == 'e' || e == 'E' || e == 'd' || e == 'D') {
    r.take();
    bool negative = false;
    if (r.peek() == '-' || r.peek() == '+') {
      negative = r.peek() == '-';
      r.take();
    }
    const std::string expDigits = r.digits();
    if (!expDigits.empty()) {
      number += (negative ? "e-" : "e") + expDigits;
      // Saturate: only the side of the double range matters beyond this.
      for (char c : expDigits) exponentValue = std::min(exponentValue * 10 + (c - '0'), 100000LL);
      if (negative) exponentValue = -exponentValue;
    }
  }

  double v = 0;
  const auto res = std::from_chars(number.data(), number.data() + number.size(), v);
  if (res.ec == std::errc::result_out_of_range) {
    // from_chars reports both ends of the range alike; only the large end is
    // an error, the small end reads as 0.
    if (decimalMagnitude(whole, fraction) + exponentValue > 0) throw RuntimeError(ErrorKind::Overflow);
    return 0;
  }
  return v;
}

}  // namespace qv
