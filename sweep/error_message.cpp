// The message of an error as the user sees it.

#include "sweep/error_message.hpp"

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

}  // namespace qvsweep
