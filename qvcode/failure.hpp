// How a qvcode command ends: its exit statuses, and the messages of a usage
// error and of a run-time error of the conversion.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

namespace qv {
class RuntimeError;
}

namespace qvcode {

inline constexpr int exitOk = 0;
// A run-time error of the conversion; for a sweep, error cases found.
inline constexpr int exitRuntimeError = 1;
inline constexpr int exitErrorCases = exitRuntimeError;
// Filter mode: a line gave an ERROR line.
inline constexpr int exitLinesFailed = exitRuntimeError;
// A usage error or malformed input; for a sweep, one that failed.
inline constexpr int exitUsage = 2;
// A sweep stopped by a signal: what a shell reports for it, 128 + its number
// (130 for Ctrl-C, 129 for SIGHUP, 143 for SIGTERM).
constexpr int exitStoppedBy(int signal) { return 128 + signal; }
inline constexpr int exitInterrupted = exitStoppedBy(2);
// Output that could not be written, whatever the command did.
inline constexpr int exitOutputFailed = exitUsage;
// The input of a filter could not be read.
inline constexpr int exitInputFailed = exitUsage;

// Prints "qvcode: <message>" and where to find help on `err`; returns
// exitUsage.
int usageError(std::ostream& err, std::string_view message);

// "run-time error <number>: <text>".
std::string runtimeErrorText(const qv::RuntimeError& e);

// Prints "qvcode: run-time error <number>: <text>" on `err`; returns
// exitRuntimeError.
int runtimeError(std::ostream& err, const qv::RuntimeError& e);

}  // namespace qvcode
