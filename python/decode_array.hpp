// decode_array: the positions of numpy arrays of code texts through the
// batch inverse conversion, without the GIL.
#pragma once

#include <pybind11/pybind11.h>

#include <optional>

namespace quorvel {

// The positions of codes[i] (code texts, or precise codes of `decimals`
// decimals; str arrays or arrays of str objects, masked or not, masked
// elements never read).  Returns a dict of arrays of the codes' shape under
// the names of `qvcode decode --json`: hour (int16), offsetKm, distanceKm
// (the values the text stands for), latitude, longitude (float64, decimal
// degrees) and error (int32: the Automation error number of a code whose
// inverse conversion failed, 0 for the others; such a position is 0, 0).
// A 0-d array gives numpy scalars.  Raises TypeError for anything but texts
// and CodeFormatError, naming the element and its field, for the first
// malformed code.
pybind11::dict decodeArray(const pybind11::object& codes, std::optional<int> decimals);

}  // namespace quorvel
