// The messages with which a qvcode command fails.

#include "qvcode/failure.hpp"

#include <ostream>

#include "conversion/runtime_error.hpp"

namespace qvcode {

int usageError(std::ostream& err, std::string_view message) {
  err << "qvcode: " << message << "\nTry 'qvcode --help' for more information.\n";
  return exitUsage;
}

std::string runtimeErrorText(const qv::RuntimeError& e) {
  return "run-time error " + std::to_string(e.number()) + ": " + e.what();
}

int runtimeError(std::ostream& err, const qv::RuntimeError& e) {
  err << "qvcode: " << runtimeErrorText(e) << '\n';
  return exitRuntimeError;
}

}  // namespace qvcode
