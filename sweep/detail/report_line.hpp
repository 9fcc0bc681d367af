// The report line of a case, written straight into a buffer of records:
//   " lat <latitude>  long <longitude>     m<hour>:<offset>  r<distance>   lat <back> long <back>"
// framed as report_format.hpp says, the input position in full number
// texts, the position back in back texts.  The number texts that repeat are
// made once: the longitude of a column, the latitudes down a column (the
// same in every column).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "conversion/detail/error_mode.hpp"
#include "conversion/number_text.hpp"
#include "conversion/round_trip_point.hpp"

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
