// The Python module quorvel: the conversion library's encode and decode for
// one position, and encode_array and decode_array for numpy arrays through
// the batch conversions.

#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <optional>
#include <string>

#include "conversion/code_reader.hpp"
#include "conversion/position_reader.hpp"
#include "conversion/precise_code.hpp"
#include "python/array_input.hpp"
#include "python/code.hpp"
#include "python/decode_array.hpp"
#include "python/encode_array.hpp"
#include "python/errors.hpp"
#include "python/precision.hpp"
#include "version.hpp"

namespace py = pybind11;
using namespace quorvel;

namespace {

py::tuple decodeText(const std::string& text, std::optional<int> precision) {
  const int decimals = checkedPrecision(precision);
  const qv::Position p = qv::positionOf(decimals < 0 ? qv::readCode(text) : qv::readPreciseCode(text, decimals));
  return py::make_tuple(p.latitude, p.longitude);
}

}  // namespace

PYBIND11_MODULE(quorvel, m) {
  m.doc() = R"(Quorvel position codes: a point on the sphere as seen from 48°8′13″ N, 11°34′31″ E.

A code such as "m11:6.6 r236.8" (50 N, 10 E) gives the clock hour whose 30°
sector holds the bearing (12 north, clockwise), the offset in km from that
hour's ray and the great-circle distance in km, on a sphere of 111.18 km to a
degree of arc (0 to 20012.4 km).  Latitudes and longitudes are decimal
degrees, north and east positive, taken as meant: a latitude outside -90..90
or a number that is not finite is refused, a longitude loses whole turns.

encode(lat, lon) or encode("48°8′13″N 11°34′31″E") -> Code
decode("m11:6.6 r236.8") -> (lat, lon)
encode_array(lats, lons), decode_array(codes) -> dict of numpy arrays
Names are those of `qvcode encode --json` and `decode --json`: code, hour,
distanceKm, offsetKm, bearingDegrees, sectorAngleDegrees, latitude, ...

Failures: quorvel.PositionError and quorvel.CodeFormatError (ValueErrors),
TypeError for what is no number or text, and quorvel.ConversionError (an
ArithmeticError with .number, the Automation error number) where a step of
the conversion fails.)";
  m.attr("__version__") = qv::version;

  addErrors(m);
  addCode(m);

  m.def(
      "encode",
      [](const std::string& position, std::optional<int> precision) {
        const int decimals = checkedPrecision(precision);
        const qv::Position p = qv::readPosition(position);
        return codeOf(p.latitude, p.longitude, decimals);
      },
      py::arg("position"), py::arg("precision") = py::none(),
      "The code of a position written as text: \"50 10\", \"48°8′13″N 11°34′31″E\", \"+4808.2+01134.5/\".\n"
      "A latitude outside -90..90 raises PositionError; a longitude loses whole turns.  precision=N (0 to 6)\n"
      "adds .preciseCode, offset and distance with N decimals, correctly rounded.");
  m.def(
      "encode",
      [](const py::object& lat, const py::object& lon, std::optional<int> precision) {
        const int decimals = checkedPrecision(precision);
        return codeOf(realNumber(lat, "latitude"), realNumber(lon, "longitude"), decimals);
      },
      py::arg("lat"), py::arg("lon"), py::arg("precision") = py::none(),
      "The code of a position in decimal degrees (real numbers; None, bool, str and complex raise TypeError).\n"
      "A latitude outside -90..90 or NaN or ±inf raises PositionError; a longitude loses whole turns.\n"
      "precision=N (0 to 6) adds .preciseCode, offset and distance with N decimals, correctly rounded.");
  m.def("decode", &decodeText, py::arg("text"), py::arg("precision") = py::none(),
        "The position (lat, lon) of a code text, in decimal degrees; precision=N reads a precise code of N\n"
        "decimals.  A malformed text raises CodeFormatError naming the field.");
  m.def("encode_array", &encodeArray, py::arg("lats"), py::arg("lons"), py::arg("precision") = py::none(),
        "The codes of many positions: real numbers in arrays of any shape (broadcast against each other),\n"
        "through the batch conversion without the GIL.  Returns a dict of arrays of the broadcast shape:\n"
        "hour (int16), distanceKm, offsetKm, bearingDegrees, sectorAngleDegrees (float64), code (str),\n"
        "with precision=N preciseCode (str), and errorNumber (int32: the Automation error number of a position\n"
        "whose conversion failed, 0 for the others; its code is empty).  Masked arrays in give masked\n"
        "arrays out, and masked elements are never converted; scalars in give numpy scalars out, as numpy's\n"
        "ufuncs do.  The first position that is none (latitude outside -90..90, NaN, ±inf) raises\n"
        "PositionError naming its index; what is not a real number raises TypeError.");
  m.def("decode_array", &decodeArray, py::arg("codes"), py::arg("precision") = py::none(),
        "The positions of many code texts (a str array, or an array or list of str; with precision=N\n"
        "precise codes of N decimals), through the batch conversion.  Returns a dict of arrays of the\n"
        "same shape: hour (int16), offsetKm, distanceKm (what the text says), latitude, longitude\n"
        "(float64) and errorNumber (int32: the Automation error number of a code whose conversion failed, 0\n"
        "for the others; its position is 0, 0).  Masked in, masked out; a 0-d array gives numpy scalars.\n"
        "The first malformed code raises CodeFormatError naming its index and field.");
}
