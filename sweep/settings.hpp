// What one sweep is asked to do, as typed settings, and the texts they are read from.
#pragma once
//
// A sweep walks a latitude/longitude grid from its north-east corner:
// longitude from `longitudeFrom` westwards to `longitudeTo` in the outer
// loop, latitude from `latitudeFrom` southwards to `latitudeTo` in the inner
// one, both bounds included.  The window reads these from its boxes and the
// command line from its options, both through SweepTexts, so that a text
// such as "abc" or "95" means the same everywhere.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace qvsweep {

// The texts a sweep starts from when nobody typed anything: the test
// window's design texts.
namespace design {
inline constexpr std::string_view latitudeFrom = "89", latitudeTo = "-89", latitudeStep = "30.00";
inline constexpr std::string_view longitudeFrom = "180", longitudeTo = "-179", longitudeStep = "30.00";
inline constexpr std::string_view tolerance = ".001";
}  // namespace design

// The K-th (from 1) of N contiguous ranges of the grid's columns.
struct Shard {
  std::size_t index = 1, count = 1;
};

// The columns of a sweep are numbered from 0 in sweep order; a range of
// them is [first, end).
struct ColumnRange {
  std::size_t first = 0, end = static_cast<std::size_t>(-1);
};

struct SweepSettings {
  // Bounds in degrees, north and east positive.  Nothing limits them: a
  // bound beyond the poles or the date line is taken to the input adjustment
  // of its first case.
  double latitudeFrom = 89, latitudeTo = -89;
  double longitudeFrom = 180, longitudeTo = -179;
  // Steps in minutes of arc: a positive step walks from the `From` bound
  // down to the `To` bound, a negative one up to it; a range that its step
  // walks away from holds no case.  A step is never 0: readSettings makes a
  // step of 0 one degree, and runSweep refuses one.
  double latitudeStep = 30, longitudeStep = 30;
  // The largest difference in seconds of arc that passes.
  double toleranceSeconds = .001;
  bool storeAll = false;  // every case to the report, not only the error cases
  std::string reportPath;
  // Threads that evaluate the cases; the results are the same for any number.
  unsigned jobs = 1;
  // A part of the sweep whose report gets no closing line, for a merge.
  std::optional<Shard> shard;
};

// The grid and tolerance as typed: the text value of each is its number.
struct SweepTexts {
  std::string latitudeFrom{design::latitudeFrom}, latitudeTo{design::latitudeTo}, latitudeStep{design::latitudeStep};
  std::string longitudeFrom{design::longitudeFrom}, longitudeTo{design::longitudeTo},
      longitudeStep{design::longitudeStep};
  std::string tolerance{design::tolerance};
};

// The command-line option of each text, in the order a shard's summary
// lists them: qvcode sweep and the Windows build's qvsweep take the same.
struct TextOption {
  std::string_view name;
  std::string SweepTexts::*text;
};
inline constexpr std::array textOptions = {
    TextOption{"--lat-from", &SweepTexts::latitudeFrom}, TextOption{"--lat-to", &SweepTexts::latitudeTo},
    TextOption{"--lat-step", &SweepTexts::latitudeStep}, TextOption{"--lon-from", &SweepTexts::longitudeFrom},
    TextOption{"--lon-to", &SweepTexts::longitudeTo},    TextOption{"--lon-step", &SweepTexts::longitudeStep},
    TextOption{"--tolerance", &SweepTexts::tolerance},
};

// The grid and tolerance of `texts` into `settings`, as a sweep takes what
// was typed.  The grid is settled first, by the one rule for a typed grid: a
// step of 0 (or no number) becomes "60", one degree; a range whose upper
// bound lies below its lower one shrinks to the upper bound, whose text the
// lower bound takes (the bounds are not swapped).  The texts keep their settled values,
// which the window's boxes then show.  The longitude step is settled first,
// then the latitude step, the latitude range and the longitude range; then
// each text's number is read (a text without a number reads 0).  A text
// whose number lies beyond a double raises Overflow where it is read, with
// the texts settled before it changed.
void readSettings(SweepTexts& texts, SweepSettings& settings);

// The tolerance in metres at 1111.8/36 m per second of arc, rounded down to
// `decimals` places (2 or 5) in exactly this order: × 1111.8, / 36,
// × 10^decimals, floor, / 10^decimals.  Raises Overflow.
double toleranceMetres(double seconds, int decimals);

}  // namespace qvsweep
