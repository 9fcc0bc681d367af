// encode_array: the codes of numpy arrays of positions through the batch
// forward conversion, without the GIL.
#pragma once

#include <pybind11/pybind11.h>

#include <optional>

namespace quorvel {

// The codes of lats[i], lons[i] (decimal degrees, broadcast against each
// other; masked arrays keep their masks, and masked elements are never
// converted).  Returns a dict of arrays of the broadcast shape under the
// names of `qvcode encode --json`: hour (int16), distanceKm, offsetKm,
// bearingDegrees, sectorAngleDegrees (float64), code (str), with `decimals`
// also preciseCode (str), and error (int32: the Automation error number of
// a position whose conversion failed, 0 for the others; such a code is
// empty).  A 0-d broadcast shape gives numpy scalars.  Raises TypeError for
// anything but real numbers and PositionError, naming the element, for the
// first position that is none (a latitude outside -90..90, NaN, ±inf).
pybind11::dict encodeArray(const pybind11::object& lats, const pybind11::object& lons, std::optional<int> decimals);

}  // namespace quorvel
