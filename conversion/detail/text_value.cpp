// The text value: the number that a text starts with.

#include "conversion/detail/text_value.hpp"

#include <cctype>
#include <string>

#include "conversion/detail/decimal_number.hpp"

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

  const char e = r.peek();
  if (e == 'e' || e == 'E' || e == 'd' || e == 'D') {
    r.take();
    bool negative = false;
    if (r.peek() == '-' || r.peek() == '+') {
      negative = r.peek() == '-';
      r.take();
    }
    const std::string expDigits = r.digits();
    if (!expDigits.empty()) number += (negative ? "e-" : "e") + expDigits;
  }
  // Always a number in full: below the smallest double it reads as a zero of
  // its sign, beyond the largest it overflows.
  return *decimalNumber(number);
}

}  // namespace qv
