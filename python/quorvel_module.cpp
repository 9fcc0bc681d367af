// The Python module quorvel: the conversion library's encode and decode for
// one position, and encode_array for numpy arrays through the batch forward
// conversion.

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "conversion/batch_conversion.hpp"
#include "conversion/code_text.hpp"
#include "conversion/conversion.hpp"
#include "conversion/position_reader.hpp"
#include "conversion/precise_code.hpp"

namespace py = pybind11;

namespace {

// The exception classes, made once at import.
PyObject* runtimeErrorClass = nullptr;
PyObject* codeFormatErrorClass = nullptr;
PyObject* positionErrorClass = nullptr;

[[noreturn]] void raise(PyObject* type, const std::string& message, std::optional<int> number = {}) {
  py::object error = py::reinterpret_borrow<py::object>(type)(message);
  if (number) error.attr("number") = *number;
  PyErr_SetObject(type, error.ptr());
  throw py::error_already_set();
}

// A library call with its failures as the module's exceptions.
template <class F>
auto translated(F&& call) {
  try {
    return call();
  } catch (const qv::RuntimeError& e) {
    raise(runtimeErrorClass, e.what(), e.number());
  } catch (const qv::CodeFormatError& e) {
    raise(codeFormatErrorClass, e.what());
  } catch (const qv::PositionError& e) {
    raise(positionErrorClass, e.what());
  }
}

int checkedPrecision(std::optional<int> precision) {
  if (precision && (*precision < 0 || *precision > qv::maxPreciseDecimals))
    throw py::value_error("precision takes 0 to 6 decimals, not " + std::to_string(*precision));
  return precision.value_or(-1);
}

struct Code {
  std::string text;
  int hour;
  double offsetKm, distanceKm, bearingDegrees, sectorAngleDegrees;
};

Code codeOf(double latitude, double longitude, std::optional<int> precision) {
  const int decimals = checkedPrecision(precision);
  return translated([&] {
    const qv::Code c = qv::encode(latitude, longitude);
    return Code{decimals < 0 ? c.text : qv::preciseCodeText(c.hour, c.offsetKm, c.distanceKm, decimals),
                c.hour, c.offsetKm, c.distanceKm, c.bearingDegrees, c.sectorAngleDegrees};
  });
}

py::tuple decodeText(const std::string& text, std::optional<int> precision) {
  const int decimals = checkedPrecision(precision);
  const qv::Position p = translated([&] {
    return qv::positionOf(decimals < 0 ? qv::readCode(text) : qv::readPreciseCode(text, decimals));
  });
  return py::make_tuple(p.latitude, p.longitude);
}

// The longest code text, "m12:3335.9 r20012.4", and a character to spare.
constexpr std::size_t textWidth = 20;

py::dict encodeArray(const py::object& latitudes, const py::object& longitudes) {
  const py::module_ np = py::module_::import("numpy");
  const py::tuple both = np.attr("broadcast_arrays")(np.attr("asarray")(latitudes, "float64"),
                                                     np.attr("asarray")(longitudes, "float64"));
  const auto lat = np.attr("ascontiguousarray")(both[0]).cast<py::array_t<double>>();
  const auto lon = np.attr("ascontiguousarray")(both[1]).cast<py::array_t<double>>();
  const std::vector<py::ssize_t> shape(lat.shape(), lat.shape() + lat.ndim());
  const auto n = static_cast<std::size_t>(lat.size());

  py::array text(py::dtype("<U" + std::to_string(textWidth)), shape);
  py::array_t<std::int16_t> hour(shape);
  py::array_t<double> offset(shape), distance(shape), bearing(shape);
  py::array_t<std::int32_t> error(shape);
  auto* texts = static_cast<std::uint32_t*>(text.mutable_data());
  std::int16_t* hours = hour.mutable_data();
  double *offsets = offset.mutable_data(), *distances = distance.mutable_data(), *bearings = bearing.mutable_data();
  std::int32_t* errors = error.mutable_data();
  std::optional<std::size_t> refused;
  {
    py::gil_scoped_release unlocked;
    // In pieces that stay in the cache.
    constexpr std::size_t piece = 1024;
    std::array<qv::EncodedPoint, piece> codes;
    for (std::size_t i = 0; i < n; ++i) {
      if (i % piece == 0) {
        const std::size_t count = std::min(piece, n - i);
        qv::encodeMany({lat.data() + i, count}, {lon.data() + i, count}, std::span(codes).first(count));
      }
      const qv::EncodedPoint& c = codes[i % piece];
      if (c.refused && !refused) refused = i;
      std::uint32_t* t = texts + i * textWidth;
      std::fill_n(t, textWidth, 0U);
      errors[i] = c.error ? static_cast<std::int32_t>(*c.error) : 0;
      hours[i] = c.hour;
      offsets[i] = c.offsetKm;
      distances[i] = c.distanceKm;
      bearings[i] = c.bearingDegrees;
      if (c.error) continue;
      char code[qv::codeRoom];
      const char* end = qv::writeCode(code, c.hour, c.offsetKm, c.distanceKm);
      for (const char* p = code; p < end; ++p) *t++ = static_cast<unsigned char>(*p);
    }
  }
  if (refused) {
    // Named as numpy names the element of the broadcast arrays.
    const std::size_t i = *refused;
    translated([&] { return qv::takePosition(lat.data()[i], lon.data()[i]); });
  }
  py::dict result;
  result["text"] = text;
  result["hour"] = hour;
  result["offset_km"] = offset;
  result["distance_km"] = distance;
  result["bearing_deg"] = bearing;
  result["error"] = error;
  return result;
}

}  // namespace

PYBIND11_MODULE(quorvel, m) {
  m.doc() = R"(Quorvel position codes: a point on the sphere as seen from 48°8′13″ N, 11°34′31″ E.

A code such as "m11:6.6 r236.8" (50 N, 10 E) gives the clock hour whose 30°
sector holds the bearing (12 north, clockwise), the offset in km from that
hour's ray and the great-circle distance in km, on a sphere of 111.18 km to a
degree of arc (0 to 20012.4 km).  Latitudes and longitudes are decimal
degrees, north and east positive.

encode(lat, lon) or encode("48°8′13″N 11°34′31″E") -> Code
decode("m11:6.6 r236.8") -> (lat, lon)
encode_array(lats, lons) -> dict of numpy arrays, for many positions at once

Failures: quorvel.RuntimeError (with .number, the Automation error number),
quorvel.CodeFormatError and quorvel.PositionError (both ValueError).)";

  const py::object builtins = py::module_::import("builtins");
  runtimeErrorClass = PyErr_NewExceptionWithDoc(
      "quorvel.RuntimeError", "A step of the conversion failed; .number is its Automation error number.",
      builtins.attr("RuntimeError").ptr(), nullptr);
  codeFormatErrorClass = PyErr_NewExceptionWithDoc("quorvel.CodeFormatError",
                                                   "A code text that is malformed; the message names the field.",
                                                   builtins.attr("ValueError").ptr(), nullptr);
  positionErrorClass = PyErr_NewExceptionWithDoc("quorvel.PositionError",
                                                 "A text that is no position; the message quotes it and says why.",
                                                 builtins.attr("ValueError").ptr(), nullptr);
  m.attr("RuntimeError") = py::handle(runtimeErrorClass);
  m.attr("CodeFormatError") = py::handle(codeFormatErrorClass);
  m.attr("PositionError") = py::handle(positionErrorClass);

  py::class_<Code>(m, "Code", "The code of one position.")
      .def_readonly("text", &Code::text, "the code text, \"m11:6.6 r236.8\" (with precision, N decimals)")
      .def_readonly("hour", &Code::hour, "the clock hour of the bearing's 30° sector, 1 to 12")
      .def_readonly("offset_km", &Code::offsetKm, "km from the hour's ray, full precision")
      .def_readonly("distance_km", &Code::distanceKm, "great-circle km from the reference point, 0 to 20012.4")
      .def_readonly("bearing_deg", &Code::bearingDegrees, "degrees clockwise from north, 0 to 360")
      .def_readonly("sector_angle_deg", &Code::sectorAngleDegrees, "degrees past the hour's ray, 0 to 30")
      .def("__repr__", [](const Code& c) { return "<quorvel.Code " + c.text + ">"; });

  m.def("encode", &codeOf, py::arg("lat"), py::arg("lon"), py::arg("precision") = py::none(),
        "The code of a position in decimal degrees.  A latitude outside -90..90 is taken as the conversion\n"
        "adjusts it; precision=N (0 to 6) gives offset and distance with N decimals, correctly rounded.");
  m.def(
      "encode",
      [](const std::string& position, std::optional<int> precision) {
        const qv::Position p = translated([&] { return qv::readPosition(position); });
        return codeOf(p.latitude, p.longitude, precision);
      },
      py::arg("position"), py::arg("precision") = py::none(),
      "The code of a position written as text: \"50 10\", \"48°8′13″N 11°34′31″E\", \"+4808.2+01134.5/\".\n"
      "A latitude outside -90..90 raises PositionError; a longitude loses whole turns.");
  m.def("decode", &decodeText, py::arg("text"), py::arg("precision") = py::none(),
        "The position (lat, lon) of a code text, in decimal degrees; precision=N reads a code of N decimals.");
  m.def("encode_array", &encodeArray, py::arg("lats"), py::arg("lons"),
        "The codes of many positions (numpy arrays of any shape, broadcast against each other), through the\n"
        "batch conversion without the GIL.  Returns a dict of arrays of the broadcast shape: text (str),\n"
        "hour (int16), offset_km, distance_km, bearing_deg (float64) and error (int32: the Automation error\n"
        "number of a position that failed, 0 for the others, whose text is then empty).");
}
