// The message that tells a user about an error: a file error says itself what failed, a run-time error gets its number.

#pragma once

#include <exception>
#include <string>

namespace qvsweep {

// A file error says itself what failed and why ("Cannot open report file
// '/nope/x.txt': No such file or directory"); a run-time error of the
// conversions gets its number ("Run-time error 6: Overflow").
std::string errorMessage(const std::exception& e);

}  // namespace qvsweep
