// Texts of numbers as the system writes them.
//
// number text: a reserved sign position (blank or "-"), no 0 before the point
// below magnitude 1 (" .5", "-.25"), up to 15 significant digits for a double
// and 7 for a 32-bit float, no trailing zeros or point, exponent form
// (" 1E+07", " 1.5E-05") when the digits cannot hold the magnitude.
// plain number text: no blank for a non-negative number and a 0 before the
// point below magnitude 1 ("0.5", "-0.25"); otherwise the same.
// A negative zero is zero: " 0" and "0", never "-0".

#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace qv {

std::string numberText(double v);
std::string numberText(float v);
std::string plainNumberText(double v);
std::string plainNumberText(float v);

// The double texts written at `out`, which has room for numberTextRoom
// characters; return the end of what they wrote.
inline constexpr std::size_t numberTextRoom = 40;
char* writeNumberText(char* out, double v);
char* writePlainNumberText(char* out, double v);

// A whole count with all its digits: " 256683", " 16777217".
std::string numberText(std::int64_t v);
std::string plainNumberText(std::int64_t v);

// An empty value joins text as the empty text.
std::string plainNumberText(const std::optional<double>& v);

// At most `n` characters from the start of `s`.
std::string leftCut(const std::string& s, std::size_t n);

}  // namespace qv
