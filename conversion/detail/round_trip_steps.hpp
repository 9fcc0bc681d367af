// The formulas of the forward and the inverse conversion that take more than
// one operation, each written once for a number type T and a fault policy F
// (checked_math.hpp).  The single conversions (forward.cpp, inverse.cpp)
// and the batch (roundTrips, round_trip.cpp) evaluate these same
// expressions, so a point gets the same bits either way; the branches and
// the skip-on-error steps around them belong to the callers.  Products run
// left to right.
#pragma once

#include "conversion/detail/angles.hpp"
#include "conversion/detail/reference_point.hpp"

namespace qv::steps {

// Forward conversion.

// The longitude difference to the reference point, in radians.
template <class F, class T>
T longitudeDifferenceRad(F& f, const T& Ldez) {
  return degToRad(f, f.checked(Ldez - referenceLongitude()));
}

// The cosine of the central angle between the reference point and the point.
template <class F, class T>
T cosCentralAngle(F& f, const T& sinBrad, const T& cosBrad, const T& cosDL) {
  const ReferenceTrig& ref = referenceTrig();
  return f.checked(ref.sinB0 * sinBrad + cosBrad * ref.cosB0 * cosDL);
}

// The southward component S of the direction to the point.
template <class T>
T southward(const T& sinBrad, const T& cosBrad, const T& cosDL) {
  const ReferenceTrig& ref = referenceTrig();
  return cosBrad * ref.sinB0 * cosDL - ref.cosB0 * sinBrad;
}

// √(S·S + E2), E2 the square of the eastward component.
template <class F, class T>
T directionRadius(F& f, const T& S, const T& cosBrad, const T& sinDL) {
  const T E2 = cosBrad * sinDL * cosBrad * sinDL;
  return f.root(f.checked(S * S + E2));
}

// The signed direction in degrees, from its angle from due south.
template <class F, class T>
T directionDegrees(F& f, const T& richtrad) {
  return f.checked(((-richtrad) * halfTurnDegrees) / pi());
}

// The cosine of the offset arc: two points at the central angle whose
// bearings differ by the sector angle.
template <class F, class T>
T cosOffset(F& f, const T& sinBogen, const T& cosBogen, const T& cosSektor) {
  return f.checked(cosBogen * cosBogen + sinBogen * sinBogen * cosSektor);
}

// Inverse conversion.

// The cosine of the angle past the hour's ray, from cos(offset) =
// cos²(c) + sin²(c)·cos(angle); not limited to ±1.
template <class F, class T>
T cosSectorBack(F& f, const T& cosversatzbk, const T& sinBogen, const T& cosBogen) {
  return f.quot(f.checked(cosversatzbk - cosBogen * cosBogen), f.checked(sinBogen * sinBogen));
}

// 90° minus the central angle, in radians.
template <class F, class T>
T coCentralAngleRad(F& f, const T& bogengradbk) {
  return degToRad(f, f.checked(90 - bogengradbk));
}

// −sin(latitude back), in two steps: its first term, then the whole.
template <class F, class T>
T negSinLatitudeFirst(F& f, const T& cosK, const T& cosR) {
  return f.checked(cosK * referenceTrig().cosB0 * cosR);
}
template <class F, class T>
T negSinLatitude(F& f, const T& first, const T& sinK) {
  return f.checked(first - referenceTrig().sinB0 * sinK);
}

// The negated Cartesian components of the point back, three steps each:
// first·cos(k)·cos(r), then + second·cos(k)·sin(r), then − third·sin(k), k
// the co-central angle and r the direction.  A term subtracted in the
// formula is added with its coefficient negated, which rounds the same.
struct ComponentTerms {
  double first, second, third;
};
// X = −cos(latitude)·cos(longitude).
inline ComponentTerms xTerms() {
  const ReferenceTrig& ref = referenceTrig();
  return {-ref.sinB0 * ref.cosL0, ref.sinL0, ref.cosB0 * ref.cosL0};
}
// Y = −cos(latitude)·sin(longitude), positive for western longitudes.
inline ComponentTerms yTerms() {
  const ReferenceTrig& ref = referenceTrig();
  return {-ref.sinB0 * ref.sinL0, -ref.cosL0, ref.cosB0 * ref.sinL0};
}
template <class F, class T>
T componentFirst(F& f, const ComponentTerms& c, const T& cosK, const T& cosR) {
  return f.checked(c.first * cosK * cosR);
}
template <class F, class T>
T componentSecond(F& f, const ComponentTerms& c, const T& v, const T& cosK, const T& sinR) {
  return f.checked(v + c.second * cosK * sinR);
}
template <class F, class T>
T componentThird(F& f, const ComponentTerms& c, const T& v, const T& sinK) {
  return f.checked(v - c.third * sinK);
}

// √(X·X + Y·Y), the distance of the point back from the polar axis.
template <class F, class T>
T axisDistance(F& f, const T& Xbk, const T& Ybk) {
  return f.root(f.checked(Xbk * Xbk + Ybk * Ybk));
}

// The absolute value of the longitude back, 180 − Lrest in degrees.
template <class F, class T>
T longitudeBack(F& f, const T& Lrestradbk) {
  return f.checked(180 - radToDeg(f, Lrestradbk));
}

}  // namespace qv::steps
