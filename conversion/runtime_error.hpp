// The run-time errors of the system.  Failures are not error codes of our own:
// every failing step raises one of these, carrying the Automation error number
// that a script client sees and the standard text for it.

#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace qv {

enum class ErrorKind {
  InvalidCall = 5,  // invalid procedure call or argument (square root of a negative number, ...)
  Overflow = 6,     // a result that is infinite or not a number
  SubscriptOutOfRange = 9,
  DivisionByZero = 11,
  TypeMismatch = 13,
  DeviceIo = 57,
  DiskFull = 61,
  FileAccess = 75,  // path/file access error
  PathNotFound = 76,
  InvalidUseOfNull = 94,
};

// The standard text of an error number, e.g. "Division by zero".
std::string_view standardText(ErrorKind kind);

class RuntimeError : public std::runtime_error {
 public:
  // `detail` replaces the standard text where the failure has more to say
  // (a file name, an OS reason); the error number stays the kind's.
  explicit RuntimeError(ErrorKind kind, const std::string& detail = {});

  ErrorKind kind() const noexcept { return kind_; }
  int number() const noexcept { return static_cast<int>(kind_); }

 private:
  ErrorKind kind_;
};

// Throws RuntimeError(kind): the cold path of the arithmetic checks.
[[noreturn]] void raise(ErrorKind kind);

}  // namespace qv
