// What a handler shows when an error reaches its top level.

#pragma once

#include <exception>
#include <string>

namespace qvpruef {

// A file error says itself what failed and why ("Cannot open report file
// '/nope/x.txt': No such file or directory"); a run-time error of the
// conversions gets its number ("Run-time error 6: Overflow").
std::string errorMessage(const std::exception& e);

}  // namespace qvpruef
