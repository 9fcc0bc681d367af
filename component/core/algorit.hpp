// algorit: the Quorvel code of a position given as degrees, minutes and
// seconds with hemisphere letters, in whole kilometres ("m11:6 r236").
//
// It runs the forward conversion with most working values in single
// precision: each assignment is evaluated in double from the stored values
// and rounded to its target's type when stored.

#pragma once

#include <string>
#include <vector>

#include "component/core/value.hpp"

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
// "m<hour>:<offset> r<distance>" in whole km (hour 1..12, distance
// 0..20012 km; the offset is 0 or at least 2, as a Single near 1 cannot tell
// smaller offsets).
// In: elements 0..2 latitude degrees, minutes, seconds and 3..5 the same of
// longitude, simply added ((min/60 + deg) + sec/3600, so −33° 54′ is −32.1);
// element 6 the text "S" makes the latitude south, element 7 "W" the
// longitude west (case-sensitive; anything else is north or east).  A
// latitude beyond a pole goes to that pole; a longitude is used as given.
// Raises RuntimeError: SubscriptOutOfRange for a missing index, TypeMismatch
// or InvalidUseOfNull for an element 0..5 that does not convert to Single,
// Overflow beyond the Single range, or a floating-point fault before the
// offset's arc cosine; from there on failures are skipped.
std::string algorit(const Elements& Ziffern);

}  // namespace qv
