// algorit over the native element array: the shared cases (worked examples,
// the edge cases that tell a faithful single-precision conversion from a near
// miss, the latitude mend, the failures), and what only native elements can
// hold: objects and lower bounds other than 0.

#include "component/core/algorit.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "component/core/element_notation.hpp"
#include "testdata/case_file.hpp"
#include "conversion/runtime_error.hpp"

namespace qv {
namespace {

std::string run(std::vector<Value> elements, int lowerBound = 0) {
  return algorit(ElementArray(std::move(elements), lowerBound));
}

std::string run(double Bgrad, double Bmin, double Bsek, double Lgrad, double Lmin, double Lsek, const char* ns,
                const char* ew) {
  return run({Bgrad, Bmin, Bsek, Lgrad, Lmin, Lsek, std::string(ns), std::string(ew)});
}

// The code text, or the run-time error as the case file writes it.
std::string outcome(std::vector<Value> elements, int lowerBound = 0) {
  try {
    return run(std::move(elements), lowerBound);
  } catch (const RuntimeError& e) {
    return cases::failure(e.number(), e.what());
  }
}

// The offset of a code text "m<h>:<offset> r<distance>".
int offsetOf(const std::string& code) { return std::stoi(code.substr(code.find(':') + 1)); }

TEST(Algorit, SharedCases) {
  for (const cases::Case& c : cases::read(QV_CASES_FILE, "algorit")) {
    std::vector<Value> elements;
    for (const cases::Field& f : c.input) elements.push_back(qv::readElement(f.spelling));
    EXPECT_EQ(outcome(elements), c.expected) << c.where;
  }
}

TEST(AlgoritOffset, NeverOne) {
  // Near 1 a Single steps by about 6e-8: the smallest offset above 0 is 2 km.
  int smallest = 1000;
  for (int lat = -89; lat <= 89; ++lat)
    for (int min = 0; min < 60; min += 3)
      for (int lon = -179; lon <= 180; lon += 7) {
        const int offset = offsetOf(run(lat, min, 0, lon, 0, 0, "N", "E"));
        ASSERT_NE(offset, 1) << lat << "° " << min << "′, " << lon << "°";
        if (offset > 0 && offset < smallest) smallest = offset;
      }
  EXPECT_EQ(smallest, 2);
}

TEST(AlgoritElements, AnObjectIsATypeMismatchExceptAsAHemisphere) {
  EXPECT_EQ(run({50.0, 0.0, 0.0, 10.0, 0.0, 0.0, Unsupported{}, Unsupported{}}), run(50, 0, 0, 10, 0, 0, "N", "E"));
  EXPECT_EQ(outcome({Unsupported{}, 0.0, 0.0, 10.0, 0.0, 0.0, std::string("N"), std::string("E")}),
            cases::failure(13, "Type mismatch"));
}

TEST(AlgoritElements, LowerBoundOneFailsAtIndexZero) {
  // Index 1 holds a bad text, but index 0 is read first and is missing.
  EXPECT_EQ(outcome({std::string("x"), 50.0, 0.0, 0.0, 10.0, 0.0, 0.0, std::string("N")}, 1),
            cases::failure(9, "Subscript out of range"));
}

}  // namespace
}  // namespace qv
