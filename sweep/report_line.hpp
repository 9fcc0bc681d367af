// The report line of a case, written straight into a buffer of records:
//   " lat <Bdez>  long <Ldez>     m<hour>:<offset>  r<distance>   lat <Bdezbk> long <Ldezbk>"
// in double quotes with CR LF.  Bdez and Ldez are full number texts, the
// values back the first 7 characters of their plain number texts (an empty
// value gives nothing).  The number texts that repeat are made once: the
// longitude of a column, the latitudes down a column (the same in every
// column).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "conversion/detail/error_mode.hpp"
#include "conversion/number_text.hpp"
#include "conversion/detail/round_trip.hpp"

namespace qvsweep {

class ReportLineWriter {
 public:
  // Appends the record of the case `p`, the `latitudeIndex`-th of its
  // column.  The offset and distance texts are steps of the case's `mode`:
  // one that fails under skip-on-error mode leaves its piece out.
  void append(std::string& records, const qv::RoundTripPoint& p, std::size_t latitudeIndex, qv::ErrorMode& mode);

 private:
  struct Text {
    double value = 0;
    bool made = false;
    std::size_t size = 0;
    char chars[qv::numberTextRoom];
  };
  static const Text& numberText(Text& memo, double v);

  std::vector<Text> latitudes_;
  Text longitude_;
};

}  // namespace qvsweep
