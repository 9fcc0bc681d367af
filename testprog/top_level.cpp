// The message of an error that reached a handler's top level.

#include "top_level.hpp"

#include "runtime_error.hpp"

namespace qvpruef {

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

}  // namespace qvpruef
