// decode_array: the code texts read with the GIL (they may be Python
// objects), the inverse conversion through qv::decodeMany without it.

#include "python/decode_array.hpp"

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "conversion/batch_conversion.hpp"
#include "conversion/precise_code.hpp"
#include "conversion/printable_text.hpp"
#include "python/array_input.hpp"
#include "python/precision.hpp"

namespace quorvel {
namespace {

// Element i of a numpy str array of `width` UCS-4 characters, as UTF-8;
// numpy leaves the unused end zero.
std::string textAt(const std::uint32_t* chars, std::size_t width) {
  std::size_t length = width;
  while (length > 0 && chars[length - 1] == 0) --length;
  if (std::all_of(chars, chars + length, [](std::uint32_t c) { return c < 0x80; }))
    return std::string(chars, chars + length);
  return py::reinterpret_steal<py::str>(
      PyUnicode_FromKindAndData(PyUnicode_4BYTE_KIND, chars, static_cast<py::ssize_t>(length)));
}

}  // namespace

py::dict decodeArray(const py::object& codes, std::optional<int> precision) {
  const int decimals = checkedPrecision(precision);
  const Given g = given(codes, "codes");
  const char kind = g.data.dtype().kind();
  if (kind != 'U' && kind != 'O')
    throw py::type_error("codes must be code texts (str), not dtype " +
                         std::string(py::str(py::handle(g.data.dtype()))));
  const py::module_ np = py::module_::import("numpy");
  const py::array texts = np.attr("asarray")(g.data, py::arg("order") = "C");
  const Shape shape(texts.shape(), texts.shape() + texts.ndim());
  Results results(g.mask.is_none() ? g.mask : np.attr("asarray")(g.mask, py::arg("order") = "C"), shape);
  const bool* masked = results.masked();
  const auto n = static_cast<std::size_t>(texts.size());

  // The code values of the elements that are not masked, and where they go.
  std::vector<qv::CodeValues> values;
  std::vector<std::size_t> at;
  values.reserve(n);
  at.reserve(n);
  const std::size_t width = static_cast<std::size_t>(texts.itemsize()) / 4;
  for (std::size_t i = 0; i < n; ++i) {
    if (masked && masked[i]) continue;
    std::string text;
    if (kind == 'U') {
      text = textAt(static_cast<const std::uint32_t*>(texts.data()) + i * width, width);
    } else {
      const py::handle element = static_cast<PyObject* const*>(texts.data())[i];
      if (!PyUnicode_Check(element.ptr()))
        throw py::type_error("codes at index " + indexText(i, shape) + " must be a code text (str), not " +
                             typeName(element));
      text = element.cast<std::string>();
    }
    try {
      values.push_back(decimals < 0 ? qv::readCode(text) : qv::readPreciseCode(text, decimals));
    } catch (const qv::CodeFormatError& e) {
      throw qv::CodeFormatError("at index " + indexText(i, shape) + ": malformed code '" + qv::printableText(text) +
                                "': " + e.what());
    }
    at.push_back(i);
  }

  std::int16_t* hours = results.add<std::int16_t>("hour").mutable_data();
  double* offsets = results.add<double>("offsetKm").mutable_data();
  double* distances = results.add<double>("distanceKm").mutable_data();
  double* latitudes = results.add<double>("latitude").mutable_data();
  double* longitudes = results.add<double>("longitude").mutable_data();
  std::int32_t* errors = results.add<std::int32_t>("errorNumber").mutable_data();
  {
    py::gil_scoped_release unlocked;
    // numpy leaves the arrays uninitialized: every element is written.
    for (std::size_t i = 0; masked && i < n; ++i) {
      if (!masked[i]) continue;
      hours[i] = 0;
      offsets[i] = distances[i] = latitudes[i] = longitudes[i] = 0;
      errors[i] = 0;
    }
    constexpr std::size_t piece = 1024;
    std::array<qv::DecodedPoint, piece> points;
    for (std::size_t first = 0; first < values.size(); first += piece) {
      const std::size_t count = std::min(piece, values.size() - first);
      qv::decodeMany(std::span(values).subspan(first, count), std::span(points).first(count));
      for (std::size_t k = 0; k < count; ++k) {
        const std::size_t j = at[first + k];
        const qv::CodeValues& c = values[first + k];
        hours[j] = c.hour;
        offsets[j] = c.offsetKm;
        distances[j] = c.distanceKm;
        const qv::DecodedPoint& p = points[k];
        errors[j] = p.error ? static_cast<std::int32_t>(*p.error) : 0;
        latitudes[j] = p.error ? 0 : p.position.latitude;
        longitudes[j] = p.error ? 0 : p.position.longitude;
      }
    }
  }
  return results.finish();
}

}  // namespace quorvel
