// The kilometres that a written number of a code stands for: every value
// that the writer of that code form writes as those digits.
//
// The code text writes the whole kilometres truncated and the tenth from the
// value rounded half-even to tenths, leaving a tenth of 0 out: "236.8" is
// written for 236.75..236.85 km, "1096" for 1096.00..1096.05 or
// 1096.95..1097.00 km.  A precise code of N decimals is correctly rounded, so
// its number stands for half a unit of its last digit either way.
//
// The ends are the decimal bounds, moved outward where rounding v·10 in
// double precision writes a value just beyond a bound with these digits too,
// so that a range holds every double written as its digits.  Ranges are not
// clipped to what the sphere allows; an end below 0 is 0.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace qv {

struct KmRange {
  double fromKm = 0, toKm = 0;  // closed: fromKm <= toKm
};

struct KmRanges {
  std::array<KmRange, 2> ranges{};
  std::size_t count = 0;  // 0, 1 or 2
};

// The values written as `digits` (whole kilometres, then at most one point
// and decimals, as the readers accept them) by the code text (`decimals`
// negative) or by a precise code of `decimals` decimals.
KmRanges writtenRanges(std::string_view digits, int decimals);

}  // namespace qv
