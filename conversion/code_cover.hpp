// What a code stands for: the distances and offsets that are written as it,
// and how far apart two positions with that code can lie.
//
// A code text's number with a decimal other than 0 is its value rounded to
// tenths, so "236.8" covers 236.75..236.85 km.  One without a decimal covers
// two ranges, because the whole kilometres are truncated while the tenth is
// rounded: "1096" is 1096.00..1096.05 or 1096.95..1097.00 km (1096.996 km is
// written "1096").  A precise code of N decimals covers half a unit of its
// last digit either way.  Ranges are clipped to what the sphere allows.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "conversion/code_reader.hpp"

namespace qv {

struct KmRange {
  double fromKm = 0, toKm = 0;
};

struct KmRanges {
  std::array<KmRange, 2> ranges{};
  std::size_t count = 0;  // 1 or 2
};

struct CodeCover {
  KmRanges distances, offsets;
  // The largest great-circle distance in km from `position` to a position
  // whose code is the text, on the sphere of 111.18 km to a degree.
  double farthestKm = 0;
};

// The cover of a code that readCode (decimals negative) or readPreciseCode
// read; `position` is the one returned for it.  Raises the inverse's
// RuntimeError where a corner of a range cannot be converted.
CodeCover coverOf(std::string_view text, int decimals, const CodeValues& code, const Position& position);

// The great-circle distance between two positions, km.
double sphereDistanceKm(const Position& a, const Position& b);

}  // namespace qv
