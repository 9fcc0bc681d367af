// Real numbers, masks and result shapes at the module's edge.

#include "python/array_input.hpp"

#include <pybind11/stl.h>

#include <sys/mman.h>

#include <cstdint>
#include <utility>

#include "conversion/position_reader.hpp"

namespace quorvel {
namespace {

py::module_ numpy() { return py::module_::import("numpy"); }

// What an array of a dtype holds, for a message, by numpy's kind letter.
std::string heldBy(const py::dtype& dtype) {
  switch (dtype.kind()) {
    case 'b': return "booleans";
    case 'U':
    case 'S': return "texts";
    case 'M':
    case 'm': return "dates or times";
    case 'c': return "complex numbers";
    case 'V': return "records";
    default: return "values";
  }
}

// Asks the kernel for huge pages under a large result, which the caller is
// about to write whole: one page fault for 2 MiB instead of one for 4 KiB.
void hugePages([[maybe_unused]] const py::array& a) {
#ifdef MADV_HUGEPAGE
  constexpr std::uintptr_t huge = std::uintptr_t{1} << 21;
  const auto begin = reinterpret_cast<std::uintptr_t>(a.data());
  const std::uintptr_t first = (begin + huge - 1) & ~(huge - 1), last = (begin + a.nbytes()) & ~(huge - 1);
  if (first < last) madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
#endif
}

}  // namespace

std::string typeName(py::handle value) {
  return value.is_none() ? std::string("None") : std::string(Py_TYPE(value.ptr())->tp_name);
}

double realNumber(py::handle value, const std::string& name) {
  if (PyFloat_Check(value.ptr())) return PyFloat_AS_DOUBLE(value.ptr());
  py::object item;
  if (py::isinstance<py::array>(value) && py::reinterpret_borrow<py::array>(value).ndim() == 0) {
    item = value.attr("item")();
    value = item;
  }
  // Kept for the life of the process, as the module itself is.
  static const py::handle real = py::object(py::module_::import("numbers").attr("Real")).release();
  // bool is an int to Python, but a latitude of True is a caller's slip.
  if (PyBool_Check(value.ptr()) || !py::isinstance(value, real))
    throw py::type_error(name + " must be a real number, not " + typeName(value));
  const double number = PyFloat_AsDouble(value.ptr());
  if (number == -1.0 && PyErr_Occurred()) {
    if (!PyErr_ExceptionMatches(PyExc_OverflowError)) throw py::error_already_set();
    PyErr_Clear();
    throw qv::PositionError(name + " of " + std::to_string(py::len(py::str(value))) + " digits is beyond every double");
  }
  return number;
}

Given given(const py::handle& value, const char* name) {
  if (value.is_none())
    throw py::type_error(std::string(name) + " is None: real numbers are taken, in arrays, lists or alone");
  const py::module_ np = numpy();
  if (np.attr("ma").attr("isMaskedArray")(value).cast<bool>())
    return {np.attr("ma").attr("getdata")(value), np.attr("ma").attr("getmaskarray")(value)};
  return {np.attr("asarray")(value), py::none()};
}

py::array_t<double> realNumbers(const Given& g, const char* name) {
  const py::dtype dtype = g.data.dtype();
  const char kind = dtype.kind();
  if (kind == 'i' || kind == 'u' || kind == 'f') return g.data.attr("astype")("float64", py::arg("copy") = false);
  if (kind != 'O')
    throw py::type_error(std::string(name) + " must be real numbers, not " + heldBy(dtype) + " (dtype " +
                         std::string(py::str(py::handle(dtype))) + ")" +
                         (kind == 'U' || kind == 'S' ? "; a position written as text goes to encode(text)" : ""));
  // Python objects, one by one: None or a text among numbers is refused
  // where numpy's astype would read None as NaN and "50" as 50.
  const py::module_ np = numpy();
  const py::array objects = np.attr("asarray")(g.data, py::arg("order") = "C");
  const Shape shape(objects.shape(), objects.shape() + objects.ndim());
  const auto* elements = static_cast<PyObject* const*>(objects.data());
  const py::array_t<bool> mask = g.mask.is_none()
                                     ? py::array_t<bool>()
                                     : np.attr("asarray")(g.mask, py::arg("order") = "C").cast<py::array_t<bool>>();
  py::array_t<double> numbers(shape);
  double* out = numbers.mutable_data();
  for (std::size_t i = 0; i < static_cast<std::size_t>(objects.size()); ++i) {
    if (!g.mask.is_none() && mask.data()[i])
      out[i] = 0;
    else
      out[i] = PyFloat_Check(elements[i])
                   ? PyFloat_AS_DOUBLE(elements[i])
                   : realNumber(elements[i], std::string(name) + " at index " + indexText(i, shape));
  }
  return numbers;
}

std::string indexText(std::size_t i, const Shape& shape) {
  if (shape.size() == 1) return std::to_string(i);
  std::string axes;
  for (std::size_t axis = shape.size(); axis-- > 0;) {
    const auto extent = static_cast<std::size_t>(shape[axis]);
    axes.insert(0, (axis ? ", " : "") + std::to_string(i % extent));
    i /= extent;
  }
  return "(" + axes + ")";
}

Results::Results(py::object mask, Shape shape) : mask_(std::move(mask)), shape_(std::move(shape)) {}

const bool* Results::masked() const {
  return mask_.is_none() ? nullptr : static_cast<const bool*>(py::reinterpret_borrow<py::array>(mask_).data());
}

py::array Results::add(const char* key, const py::dtype& dtype) {
  py::array a = numpy().attr("empty")(shape_, dtype);
  hugePages(a);
  arrays_.emplace_back(key, a);
  return a;
}

py::dict Results::finish() const {
  const py::module_ np = numpy();
  py::dict out;
  for (const auto& [key, a] : arrays_) {
    py::object result = a;
    // Each result its own mask: a caller that unmasks one leaves the others.
    if (!mask_.is_none()) result = np.attr("ma").attr("MaskedArray")(a, py::arg("mask") = mask_.attr("copy")());
    if (shape_.empty()) result = result[py::tuple()];
    out[key] = result;
  }
  return out;
}

}  // namespace quorvel
