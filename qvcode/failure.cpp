// The messages with which a qvcode command fails.

#include "failure.hpp"

#include <ostream>

#include "command.hpp"
#include "runtime_error.hpp"

namespace qvcode {

int usageError(std::ostream& err, std::string_view message) {
  err << "qvcode: " << message << "\n\n";
  printUsage(err);
  return exitUsage;
}

int runtimeError(std::ostream& err, const qv::RuntimeError& e) {
  err << "qvcode: run-time error " << e.number() << ": " << e.what() << '\n';
  return exitRuntimeError;
}

}  // namespace qvcode
