// The messages of a sweep as the user reads them.

#include "sweep/sweep.hpp"

#include <string>

#include "conversion/number_text.hpp"
#include "conversion/runtime_error.hpp"

namespace qvsweep {

std::string errorMessage(const std::exception& e) {
  const auto* r = dynamic_cast<const qv::RuntimeError*>(&e);
  if (!r) return e.what();
  switch (r->kind()) {
    case qv::ErrorKind::DeviceIo:
    case qv::ErrorKind::DiskFull:
    case qv::ErrorKind::FileAccess:
    case qv::ErrorKind::PathNotFound: return e.what();
    default: return "Run-time error " + std::to_string(r->number()) + ": " + e.what();
  }
}

std::string stoppedAt(const std::string& reason, std::int64_t cases, double latitude, double longitude) {
  return reason + ". The sweep stopped after " + std::to_string(cases) + (cases == 1 ? " case" : " cases") +
         ", at latitude " + qv::plainNumberText(latitude) + ", longitude " + qv::plainNumberText(longitude) + "; ";
}

std::string keptLines(const std::string& report) {
  return "the report file '" + report + "' keeps the lines written before and has no closing line.";
}

std::string couldNotStart(const std::exception& cause) { return "The sweep could not start: " + errorMessage(cause); }

}  // namespace qvsweep
