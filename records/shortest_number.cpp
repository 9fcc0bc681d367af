// Numbers in the records: the shortest text that reads back as the double,
// from the conversion library.  The map page links its own (web/wasm/).

#include <cmath>

#include "conversion/detail/float_text.hpp"
#include "records/record.hpp"

namespace qvrecords {

bool appendNumber(std::string& s, double v) {
  if (!std::isfinite(v)) return false;
  char buf[32];
  // The shortest text that reads back to the same double: 236.8, not
  // 236.80000000000001.
  s.append(buf, qv::writeShortest(buf, buf + sizeof buf, v));
  return true;
}

}  // namespace qvrecords
