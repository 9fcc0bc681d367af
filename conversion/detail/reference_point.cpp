// The reference point in radians and its sines and cosines, computed once.

#include "conversion/detail/reference_point.hpp"

#include "conversion/detail/angles.hpp"

namespace qv {

ReferenceTrig computeReferenceTrig() {
  const double B0rad = degToRad(referenceLatitude());
  const double L0rad = degToRad(referenceLongitude());
  return ReferenceTrig{B0rad, L0rad, cr::sin(B0rad), cr::cos(B0rad), cr::sin(L0rad), cr::cos(L0rad)};
}

}  // namespace qv
