// The clock-hour sectors: the one table from which the forward conversions
// (double and single precision) take the hour of a direction, and the
// inverse takes the direction of an hour.
//
// A direction is `richtgrad` = 180 − β in degrees, β the bearing clockwise
// from north (0..360): positive east of the reference meridian, in
// −180..180.  Hour 12 points north, hours run clockwise, 30° each.

#pragma once

#include <array>
#include <cstdint>

namespace qv {

// The bearing of a direction, clockwise from north, in [0, 360): 180 −
// richtgrad, with due north on the western half (360) written 0.
inline double bearingOf(double richtgrad) {
  const double b = 180 - richtgrad;
  return b == 360 ? 0 : b;
}

// The width of one hour's sector, in degrees of bearing.
inline constexpr double sectorDegrees = 30;

// One row: when `richtgrad` passes the test against `bound`, the position
// lies in hour `hour`, `sektorgrad` = base − richtgrad past the hour's ray.
struct SectorRow {
  enum Test : std::uint8_t { AtLeast, Below, AtMost };
  Test test;
  double bound;
  double base;
  std::int16_t hour;

  // Plain comparisons; a single-precision direction compares as its double.
  constexpr bool holds(double richtgrad) const {
    switch (test) {
      case AtLeast: return richtgrad >= bound;
      case Below: return richtgrad < bound;
      case AtMost: return richtgrad <= bound;
    }
    return false;
  }
  // The western half of the clock: hours 6 to 11, and 12 at β = 360.
  constexpr bool west() const { return test != AtLeast; }
};

// Table order matters: every row that holds overwrites the ones before, so
// the last one decides, and one of the first and seventh always holds.  So a
// border on the eastern half (β ≤ 180) belongs to the lower hour (β = 30 is
// hour 12 at 30° past its ray, β = 180 hour 5 at 30°), one on the western
// half to the upper hour (β = 210 is hour 7 at 0°).
inline constexpr std::array<SectorRow, 13> sectorTable = {{
    {SectorRow::AtLeast, 0, 30, 5},       // 150 < β ≤ 180
    {SectorRow::AtLeast, 30, 60, 4},      // 120 < β ≤ 150
    {SectorRow::AtLeast, 60, 90, 3},      // 90 < β ≤ 120
    {SectorRow::AtLeast, 90, 120, 2},     // 60 < β ≤ 90
    {SectorRow::AtLeast, 120, 150, 1},    // 30 < β ≤ 60
    {SectorRow::AtLeast, 150, 180, 12},   // 0 ≤ β ≤ 30
    {SectorRow::Below, 0, 0, 6},          // 180 < β < 210
    {SectorRow::AtMost, -30, -30, 7},     // 210 ≤ β < 240
    {SectorRow::AtMost, -60, -60, 8},     // 240 ≤ β < 270
    {SectorRow::AtMost, -90, -90, 9},     // 270 ≤ β < 300
    {SectorRow::AtMost, -120, -120, 10},  // 300 ≤ β < 330
    {SectorRow::AtMost, -150, -150, 11},  // 330 ≤ β < 360
    {SectorRow::AtMost, -180, -180, 12},  // β = 360
}};

// The row that decides the hour of `richtgrad`, or null when none holds
// (only for a NaN, which the checked arithmetic never lets through).
constexpr const SectorRow* decidingRow(double richtgrad) {
  const SectorRow* decided = nullptr;
  for (const SectorRow& row : sectorTable)
    if (row.holds(richtgrad)) decided = &row;
  return decided;
}

// The forward rule in the caller's number type: sets `stunde` and
// `sektorgrad` = base − richtgrad, evaluated in double and stored by `store`
// (the double conversion checks it, the single-precision one rounds it to
// float).  Where no row holds both keep their values.
template <class Real, class Store>
void hourSector(Real richtgrad, Real& sektorgrad, std::int16_t& stunde, Store store) {
  if (const SectorRow* row = decidingRow(richtgrad)) {
    sektorgrad = store(row->base - static_cast<double>(richtgrad));
    stunde = row->hour;
  }
}

// The index of the first row of each hour, found once (index: the hour).
inline constexpr std::array<std::size_t, 13> firstRowOfHour = [] {
  std::array<std::size_t, 13> first{};
  for (std::size_t i = sectorTable.size(); i-- > 0;) first[static_cast<std::size_t>(sectorTable[i].hour)] = i;
  return first;
}();

// The inverse rule: the direction of an hour from the angle s past its ray,
// solved from the hour's first row: base − s on the eastern half,
// (−s) − (0 − base) on the western one, so hour 6 gives −s itself (its sign
// of zero included) and hour 7 −s − 30.  An hour outside 1..12 has no row
// and gives false.
constexpr bool directionOfHour(std::int16_t stunde, double s, double& richtgrad) {
  if (stunde < 1 || stunde > 12) return false;
  const SectorRow& row = sectorTable[firstRowOfHour[static_cast<std::size_t>(stunde)]];
  richtgrad = row.west() ? -s - (0 - row.base) : row.base - s;
  return true;
}

}  // namespace qv
