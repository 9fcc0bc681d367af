// The module's exceptions and the translation of the library's into them.

#include "python/errors.hpp"

#include <exception>

#include "conversion/code_reader.hpp"
#include "conversion/position_reader.hpp"
#include "conversion/runtime_error.hpp"

namespace py = pybind11;

namespace quorvel {
namespace {

// Owned by the module, which holds it as long as the interpreter runs.
PyObject* conversionErrorClass = nullptr;

void translateConversionError(std::exception_ptr raised) {
  try {
    if (raised) std::rethrow_exception(raised);
  } catch (const qv::RuntimeError& e) {
    const py::object error = py::reinterpret_borrow<py::object>(conversionErrorClass)(e.what());
    error.attr("number") = e.number();
    PyErr_SetObject(conversionErrorClass, error.ptr());
  }
}

void describe(const py::handle& type, const char* doc) { type.attr("__doc__") = doc; }

}  // namespace

void addErrors(py::module_& m) {
  // Not named RuntimeError: a module attribute of that name shadows the
  // built-in for every `from quorvel import *`.  A failing step is
  // arithmetic that does not hold (an arc cosine past ±1, an overflow).
  conversionErrorClass = PyErr_NewExceptionWithDoc(
      "quorvel.ConversionError",
      "A step of the conversion failed (its arithmetic does not hold); .number is its Automation error number "
      "(5 invalid call, 6 overflow).",
      PyExc_ArithmeticError, nullptr);
  m.attr("ConversionError") = py::handle(conversionErrorClass);
  py::register_exception_translator(&translateConversionError);

  describe(py::register_exception<qv::CodeFormatError>(m, "CodeFormatError", PyExc_ValueError),
           "A code text that is malformed; the message names the field.");
  describe(py::register_exception<qv::PositionError>(m, "PositionError", PyExc_ValueError),
           "Numbers or a text that are no position (a latitude outside -90..90, NaN); the message names them.");
}

}  // namespace quorvel
