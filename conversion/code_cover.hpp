// What a code stands for: the distances and offsets written as it, and how
// far from its decoded position a position with that code can lie.
//
// A code's cell is the set of positions whose code it is, as the conversion
// computes it: the distances of its distance ranges, within its hour's 30°
// sector, at the offsets of its offset ranges (code_ranges.hpp).  The cover
// bounds the cell from the geometry of the sphere together with the bounds of
// the forward conversion's own rounding, so that it holds for every position
// the conversion takes (after its input adjustment) and whose computed code
// is this one; docs/positions-and-codes.md derives it.
#pragma once

#include <string_view>

#include "conversion/code_ranges.hpp"
#include "conversion/code_reader.hpp"

namespace qv {

struct CodeCover {
  // The distances and offsets (km) that the conversion writes as this code,
  // the offsets clipped to what the distances allow; every position with
  // the code has its distance and offset in them.
  KmRanges distances, offsets;
  // At least the largest great-circle distance in km (111.18 km to a degree)
  // from `position` to a position with this code.
  double farthestKm = 0;
};

// The cover of a code text (decimals negative) or of a precise code of
// `decimals` decimals, as readCode or readPreciseCode read it into `code`;
// `position` is the position returned for it (positionOf).
CodeCover coverOf(std::string_view text, int decimals, const CodeValues& code, const Position& position);

// The largest offset in km that the forward conversion computes for a
// position whose computed distance lies in `distances`: the offset at the far
// border of its sector at the distance nearest a quarter of the way round,
// plus the conversion's rounding.
double largestOffsetKm(const KmRange& distances);

// Whether a position can have a code of these ranges: some offset range
// starts within the largest offset of some distance range.
bool hasPositions(const KmRanges& distances, const KmRanges& offsets);

// The great-circle distance between two positions, km.
double sphereDistanceKm(const Position& a, const Position& b);

}  // namespace qv
