// Doubles to and from decimal text, as std::to_chars and std::from_chars
// write and read them.  Where the standard library has them for doubles
// (GCC's, native and for Windows) they are those; where it has not (the
// C++ library of the WebAssembly build), the C library's strtod and printf,
// which also round correctly, give the same texts and values.
#pragma once

#include <charconv>

namespace qv {

// std::from_chars(first, last, v) in its general format: an optional "-",
// digits with at most one point, an optional exponent, or inf and nan.
// result_out_of_range where the value is beyond the largest double or rounds
// to zero from a non-zero text (v is then left alone).
std::from_chars_result readDouble(const char* first, const char* last, double& v);

// std::to_chars(first, last, v): the shortest text that reads back as v,
// fixed or scientific, whichever is shorter (fixed on a tie).
char* writeShortest(char* first, char* last, double v);
// ... with std::chars_format::scientific: the shortest digits as d.ddde±XX.
char* writeShortestScientific(char* first, char* last, double v);
// ... with std::chars_format::scientific and `precision` digits after the point.
char* writeScientific(char* first, char* last, double v, int precision);
// ... with std::chars_format::fixed and `precision` digits after the point.
char* writeFixed(char* first, char* last, double v, int precision);

}  // namespace qv
