// quorvel.Code and the conversion of one position.

#include "python/code.hpp"

#include <pybind11/operators.h>
#include <pybind11/stl.h>

#include "conversion/conversion.hpp"
#include "conversion/precise_code.hpp"

namespace py = pybind11;

namespace quorvel {
namespace {

// What pickle keeps, in the order of the fields.
py::tuple stateOf(const Code& c) {
  return py::make_tuple(c.code, c.preciseCode, c.hour, c.distanceKm, c.offsetKm, c.bearingDegrees,
                        c.sectorAngleDegrees);
}

Code codeFromState(const py::tuple& t) {
  if (t.size() != 7) throw py::value_error("a pickled quorvel.Code holds 7 fields, not " + std::to_string(t.size()));
  return Code{t[0].cast<std::string>(), t[1].cast<std::optional<std::string>>(),
              t[2].cast<int>(),         t[3].cast<double>(),
              t[4].cast<double>(),      t[5].cast<double>(),
              t[6].cast<double>()};
}

}  // namespace

Code codeOf(double latitude, double longitude, int decimals) {
  const qv::Code c = qv::encode(latitude, longitude);
  return Code{
      c.text,
      decimals < 0 ? std::nullopt : std::optional(qv::preciseCodeText(c.hour, c.offsetKm, c.distanceKm, decimals)),
      c.hour,
      c.distanceKm,
      c.offsetKm,
      c.bearingDegrees,
      c.sectorAngleDegrees};
}

void addCode(py::module_& m) {
  py::class_<Code>(m, "Code", "The code of one position, under the names of `qvcode encode --json`.")
      .def_readonly("code", &Code::code, "the code text, \"m11:6.6 r236.8\"")
      .def_readonly("preciseCode", &Code::preciseCode,
                    "with precision=N, offset and distance with N decimals, correctly rounded; else None")
      .def_readonly("hour", &Code::hour, "the clock hour of the bearing's 30° sector, 1 to 12")
      .def_readonly("distanceKm", &Code::distanceKm, "great-circle km from the reference point, 0 to 20012.4")
      .def_readonly("offsetKm", &Code::offsetKm, "km from the hour's ray, full precision")
      .def_readonly("bearingDegrees", &Code::bearingDegrees, "degrees clockwise from north, [0, 360)")
      .def_readonly("sectorAngleDegrees", &Code::sectorAngleDegrees, "degrees past the hour's ray, 0 to 30")
      .def(py::self == py::self)
      .def("__hash__", [](const Code& c) { return py::hash(stateOf(c)); })
      .def(py::pickle(&stateOf, &codeFromState))
      .def("__repr__", [](const Code& c) {
        return "<quorvel.Code " + c.code + (c.preciseCode ? " (" + *c.preciseCode + ")>" : ">");
      });
}

}  // namespace quorvel
