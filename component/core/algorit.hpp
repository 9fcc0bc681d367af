#pragma once
// algorit: the Quorvel code of a position given as degrees, minutes and
// seconds with hemisphere letters, in whole kilometres ("m11:6 r236").
//
// It runs the forward conversion with most working values in single
// precision: each assignment is evaluated in double from the stored values
// and rounded to its target's type when stored.

#include <string>
#include <vector>

#include "value.hpp"

namespace qv {

// The array `Ziffern` as algorit reads it: one element at a time, by absolute
// index, so a caller's lower bound matters.  A missing index raises
// SubscriptOutOfRange at the read that needs it.
class Elements {
 public:
  virtual Value at(int index) const = 0;

 protected:
  ~Elements() = default;
};

// Elements held in a vector whose first element has index `lowerBound`.
class ElementArray final : public Elements {
 public:
  explicit ElementArray(std::vector<Value> values, int lowerBound = 0)
      : values_(std::move(values)), lowerBound_(lowerBound) {}
  Value at(int index) const override;

 private:
  std::vector<Value> values_;
  int lowerBound_;
};

// Reads the elements in the order 0, 1, 2, 6, then 3, 4, 5, 7 and returns
// "m<hour>:<offset> r<distance>".  Raises RuntimeError for a missing index,
// an element 0..5 that does not convert to Single, or a floating-point fault
// before the offset's arc cosine; from there on failures are skipped.
std::string algorit(const Elements& Ziffern);

}  // namespace qv
