// What the module takes and gives at its edge: real numbers checked before
// they reach the conversion (a clear TypeError names what came instead),
// masked arrays split into data and mask, and results shaped as numpy's own
// functions shape theirs.
#pragma once

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <cstddef>
#include <string>
#include <vector>

namespace quorvel {

namespace py = pybind11;

using Shape = std::vector<py::ssize_t>;

// What a message calls the type of `value`: "None", "str", "numpy.bool_".
std::string typeName(py::handle value);

// A real number as a double: a Python int or float, a numpy integer or
// float, a fractions.Fraction, or a 0-d array of one.  Anything else, None,
// bool, complex and str included, raises TypeError naming `name` and the type
// that came; an int beyond the doubles raises PositionError.
double realNumber(py::handle value, const std::string& name);

// An array argument (an array, a list, a scalar; masked or not) as its data
// and its mask: None for no mask, else a bool array of the data's shape.
// None itself raises TypeError naming `name`.
struct Given {
  py::array data;
  py::object mask;
};
Given given(const py::handle& value, const char* name);

// The data of `g` as float64: arrays of integers or floats, and of Python
// objects that are each a real number (masked elements are not looked at;
// they read as 0).  Other arrays raise TypeError saying what they hold.
py::array_t<double> realNumbers(const Given& g, const char* name);

// Element `i` of an array of `shape` in C order as numpy indexes it: "1",
// "(1, 3)"; "()" for a 0-d array.
std::string indexText(std::size_t i, const Shape& shape);

// The results of an array function: a dict of arrays of one shape, left
// uninitialized for the caller to write every element.  With a mask they are numpy.ma arrays with that mask; a 0-d
// result becomes a numpy scalar (or numpy.ma.masked), as a ufunc gives it.
class Results {
 public:
  // `mask`: None, or a C-contiguous bool array of `shape`.
  Results(py::object mask, Shape shape);
  const Shape& shape() const { return shape_; }
  // Whether element i is masked; nullptr where nothing is.
  const bool* masked() const;
  // A new uninitialized array of the results' shape, added under `key`.
  py::array add(const char* key, const py::dtype& dtype);
  template <class T>
  py::array_t<T> add(const char* key) {
    return add(key, py::dtype::of<T>()).template cast<py::array_t<T>>();
  }
  py::dict finish() const;

 private:
  py::object mask_;
  Shape shape_;
  std::vector<std::pair<const char*, py::array>> arrays_;
};

}  // namespace quorvel
