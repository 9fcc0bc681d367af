// encode_array through qv::encodeMany, a piece at a time.

#include "python/encode_array.hpp"

#include <pybind11/stl.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "conversion/batch_conversion.hpp"
#include "conversion/code_text.hpp"
#include "conversion/precise_code.hpp"
#include "python/array_input.hpp"
#include "python/precision.hpp"

namespace quorvel {
namespace {

// The longest code text, "m12:3335.9 r20012.4", and a character to spare.
constexpr std::size_t codeWidth = 20;
// The longest precise code of N decimals: the code text with N - 1 more
// digits on each number (or without the points at 0), and one to spare.
constexpr std::size_t preciseWidth(int decimals) { return 18 + 2 * static_cast<std::size_t>(decimals); }

// numpy's str arrays hold UCS-4, `width` characters an element, the unused
// end zero; codes are ASCII.
void writeText(std::uint32_t* to, std::size_t width, const char* from, const char* end) {
  std::uint32_t* const stop = to + width;
  while (from < end) *to++ = static_cast<unsigned char>(*from++);
  std::fill(to, stop, 0U);
}

// The result arrays, which Results leaves uninitialized: every element is
// written once, with no zeroing pass before.
struct Columns {
  std::int16_t* hours;
  double *distances, *offsets, *bearings, *sectorAngles;
  std::uint32_t* codes;
  int decimals;  // of the precise codes, -1 for none
  std::size_t preciseRoom;
  std::uint32_t* precise;
  std::int32_t* errors;

  // A masked element, or one whose conversion failed: zeros and empty texts.
  void clear(std::size_t j) const {
    hours[j] = 0;
    distances[j] = offsets[j] = bearings[j] = sectorAngles[j] = 0;
    std::fill_n(codes + j * codeWidth, codeWidth, 0U);
    if (precise) std::fill_n(precise + j * preciseRoom, preciseRoom, 0U);
    errors[j] = 0;
  }

  void put(std::size_t j, const qv::EncodedPoint& c) const {
    if (c.error) {
      clear(j);
      errors[j] = static_cast<std::int32_t>(*c.error);
      return;
    }
    hours[j] = c.hour;
    distances[j] = c.distanceKm;
    offsets[j] = c.offsetKm;
    bearings[j] = c.bearingDegrees;
    sectorAngles[j] = c.sectorAngleDegrees;
    char text[qv::codeRoom];
    writeText(codes + j * codeWidth, codeWidth, text, qv::writeCode(text, c.hour, c.offsetKm, c.distanceKm));
    if (precise) {
      const std::string p = qv::preciseCodeText(c.hour, c.offsetKm, c.distanceKm, decimals);
      writeText(precise + j * preciseRoom, preciseRoom, p.data(), p.data() + p.size());
    }
    errors[j] = 0;
  }
};

}  // namespace

py::dict encodeArray(const py::object& lats, const py::object& lons, std::optional<int> precision) {
  const int decimals = checkedPrecision(precision);
  const Given lat = given(lats, "lats"), lon = given(lons, "lons");
  const py::module_ np = py::module_::import("numpy");
  const py::tuple both = np.attr("broadcast_arrays")(realNumbers(lat, "lats"), realNumbers(lon, "lons"));
  const auto latitudes = np.attr("asarray")(both[0], py::arg("order") = "C").cast<py::array_t<double>>();
  const auto longitudes = np.attr("asarray")(both[1], py::arg("order") = "C").cast<py::array_t<double>>();
  const Shape shape(latitudes.shape(), latitudes.shape() + latitudes.ndim());
  py::object mask = py::none();
  if (!lat.mask.is_none() || !lon.mask.is_none()) {
    const py::object either = np.attr("logical_or")(lat.mask.is_none() ? py::object(py::bool_(false)) : lat.mask,
                                                    lon.mask.is_none() ? py::object(py::bool_(false)) : lon.mask);
    mask = np.attr("asarray")(np.attr("broadcast_to")(either, shape), py::arg("order") = "C");
  }

  Results results(mask, shape);
  Columns out{
      results.add<std::int16_t>("hour").mutable_data(),
      results.add<double>("distanceKm").mutable_data(),
      results.add<double>("offsetKm").mutable_data(),
      results.add<double>("bearingDegrees").mutable_data(),
      results.add<double>("sectorAngleDegrees").mutable_data(),
      static_cast<std::uint32_t*>(results.add("code", py::dtype("<U" + std::to_string(codeWidth))).mutable_data()),
      decimals,
      decimals < 0 ? 0 : preciseWidth(decimals),
      nullptr,
      nullptr};
  if (decimals >= 0)
    out.precise = static_cast<std::uint32_t*>(
        results.add("preciseCode", py::dtype("<U" + std::to_string(out.preciseRoom))).mutable_data());
  out.errors = results.add<std::int32_t>("errorNumber").mutable_data();

  const double *la = latitudes.data(), *lo = longitudes.data();
  const bool* masked = results.masked();
  const auto n = static_cast<std::size_t>(latitudes.size());
  std::optional<std::size_t> refused;
  {
    py::gil_scoped_release unlocked;
    // In pieces that stay in the cache, the masked elements left out.
    constexpr std::size_t piece = 1024;
    std::array<double, piece> pieceLat, pieceLon;
    std::array<std::size_t, piece> at;
    std::array<qv::EncodedPoint, piece> points;
    for (std::size_t i = 0; i < n && !refused;) {
      std::size_t count = 0;
      const std::size_t first = i;
      const double *pl = pieceLat.data(), *po = pieceLon.data();
      if (masked) {
        for (; i < n && count < piece; ++i) {
          if (masked[i]) {
            out.clear(i);
            continue;
          }
          pieceLat[count] = la[i];
          pieceLon[count] = lo[i];
          at[count++] = i;
        }
      } else {
        pl = la + i;
        po = lo + i;
        count = std::min(piece, n - i);
        i += count;
      }
      qv::encodeMany({pl, count}, {po, count}, std::span(points).first(count));
      for (std::size_t k = 0; k < count && !refused; ++k) {
        const std::size_t j = masked ? at[k] : first + k;
        if (points[k].refused)
          refused = j;
        else
          out.put(j, points[k]);
      }
    }
  }
  if (refused) {
    // takePosition says why in the words of encode; the index says where.
    const std::size_t i = *refused;
    try {
      qv::takePosition(la[i], lo[i]);
    } catch (const qv::PositionError& e) {
      throw qv::PositionError("at index " + indexText(i, shape) + ": " + e.what());
    }
  }
  return results.finish();
}

}  // namespace quorvel
