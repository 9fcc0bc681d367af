// The standard texts of the run-time errors.

#include "conversion/runtime_error.hpp"

namespace qv {

std::string_view standardText(ErrorKind kind) {
  switch (kind) {
    case ErrorKind::InvalidCall: return "Invalid procedure call or argument";
    case ErrorKind::Overflow: return "Overflow";
    case ErrorKind::SubscriptOutOfRange: return "Subscript out of range";
    case ErrorKind::DivisionByZero: return "Division by zero";
    case ErrorKind::TypeMismatch: return "Type mismatch";
    case ErrorKind::DeviceIo: return "Device I/O error";
    case ErrorKind::DiskFull: return "Disk full";
    case ErrorKind::FileAccess: return "Path/File access error";
    case ErrorKind::PathNotFound: return "Path not found";
    case ErrorKind::InvalidUseOfNull: return "Invalid use of Null";
  }
  return "Application-defined or object-defined error";
}

RuntimeError::RuntimeError(ErrorKind kind, const std::string& detail)
    : std::runtime_error(detail.empty() ? std::string(standardText(kind)) : detail), kind_(kind) {}

void raise(ErrorKind kind) { throw RuntimeError(kind); }

}  // namespace qv
