// The working values and results of one case: the forward conversion, its
// Quorvel code, and the inverse conversion.  Everything starts empty (0, or
// the empty text) on every case; a skipped step leaves its target as it was.
//
// The names are built from parts:
//   B / L        latitude (Breite) / longitude (Laenge); B0, L0 the reference
//   dez / grad   decimal degrees (a position / an angle)
//   rad          radians
//   km           kilometres on the sphere, at 111.18 km per degree
//   bogen        the central angle between the reference point and the point
//   richt        the direction seen from the reference point (180° − bearing)
//   sektor       the angle past the ray of the clock hour
//   versatz      the offset from that ray
//   cos / sin    the cosine or sine of the named angle
//   bk           back: a value of the inverse conversion
//   text         the value's text in the code

#pragma once

#include <optional>
#include <string>

#include "conversion/detail/reference_point.hpp"

namespace qv {

struct CaseValues {
  // Forward conversion.
  double B0rad = 0, L0rad = 0;
  double Brad = 0, dLrad = 0;
  double cosbogen = 0, bogenrad = 0, bogengrad = 0;
  double cosricht = 0, richtrad = 0, richtgrad = 0;
  double sektorgrad = 0, sektorrad = 0;
  double cosversatz = 0, versatzrad = 0, versatzgrad = 0;

  // The Quorvel code (its hour `stunde` belongs to the caller).
  double distkm = 0, versatzkm = 0;
  std::string disttext, versatztext, codetext;

  // Inverse conversion.
  double bogengradbk = 0, bogenradbk = 0;
  double versatzgradbk = 0, versatzradbk = 0, cosversatzbk = 0;
  double cossektorbk = 0, sektorradbk = 0, sektorgradbk = 0;
  double richtgradbk = 0, richtradbk = 0, kobogenradbk = 0;
  double negsinBbk = 0, Bradbk = 0;
  double Xbk = 0, Ybk = 0;
  std::optional<double> Bdezbk, Ldezbk;

  // The inverse's longitude angle shares its storage with the forward's
  // direction angle: a skipped step there leaves the forward's value.
  double& cosLrestbk() { return cosricht; }
  double& Lrestradbk() { return richtrad; }
  double cosLrestbk() const { return cosricht; }
  double Lrestradbk() const { return richtrad; }
};

// The reference point in radians, as the forward conversion sets it first.
inline void setReferencePoint(CaseValues& v) {
  v.B0rad = referenceTrig().B0rad;
  v.L0rad = referenceTrig().L0rad;
}

}  // namespace qv
