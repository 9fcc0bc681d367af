// algorit: the forward conversion with most working values in single
// precision, and the code in whole kilometres.

#include "component/core/algorit.hpp"

#include <cmath>
#include <cstdint>

#include "conversion/detail/angles.hpp"
#include "conversion/detail/case_texts.hpp"
#include "conversion/detail/error_mode.hpp"
#include "conversion/detail/hour_sector.hpp"
#include "conversion/detail/reference_point.hpp"
#include "conversion/runtime_error.hpp"
#include "component/core/to_single.hpp"

namespace qv {
namespace {

// The trigonometry reads a stored Single and computes in double.
double sn(float x) { return cr::sin(static_cast<double>(x)); }
double cs(float x) { return cr::cos(static_cast<double>(x)); }

// (degrees + minutes/60) + seconds/3600 from three elements, as the client
// wrote them: a negative degree value with positive minutes gives a smaller
// magnitude (−33° 54′ is −32.1).
float decimalDegrees(float grad, float min, float sek) {
  return single((static_cast<double>(min) / 60 + grad) + static_cast<double>(sek) / 3600);
}

}  // namespace

Value ElementArray::at(int index) const {
  const long long i = static_cast<long long>(index) - lowerBound_;
  if (i < 0 || i >= static_cast<long long>(values_.size())) throw RuntimeError(ErrorKind::SubscriptOutOfRange);
  return values_[static_cast<std::size_t>(i)];
}

std::string algorit(const Elements& Ziffern) {
  ErrorMode mode;

  const double B0dez = referenceLatitude();
  const float L0dez = single(referenceLongitude());
  const float B0rad = single(degToRad(B0dez));

  const float Bgrad = toSingle(Ziffern.at(0));
  const float Bmin = toSingle(Ziffern.at(1));
  const float Bsek = toSingle(Ziffern.at(2));
  float breite = decimalDegrees(Bgrad, Bmin, Bsek);
  if (isText(Ziffern.at(6), "S")) breite = -std::fabs(breite);
  // A latitude beyond a pole goes to that pole.  (Sending everything out of
  // range to 90 would put a southern latitude beyond the pole at the north
  // pole, the far end of the earth.)
  if (breite < -90) breite = -90;
  if (breite > 90) breite = 90;

  const float Lgrad = toSingle(Ziffern.at(3));
  const float Lmin = toSingle(Ziffern.at(4));
  const float Lsek = toSingle(Ziffern.at(5));
  float laenge = decimalDegrees(Lgrad, Lmin, Lsek);
  if (isText(Ziffern.at(7), "W")) laenge = -std::fabs(laenge);

  const float dLrad = single(degToRad(static_cast<double>(laenge) - L0dez));
  const float Brad = single(degToRad(breite));

  // Central angle.
  const double cosbogen = checked(sn(B0rad) * sn(Brad) + cs(Brad) * cs(B0rad) * cs(dLrad));
  float bogenrad = single(arcCos(cosbogen));
  if (B0dez == breite && L0dez == laenge) bogenrad = 0;

  // Direction, from due south; positive east of the reference meridian.
  const float S = single(cs(Brad) * sn(B0rad) * cs(dLrad) - cs(B0rad) * sn(Brad));
  const float E = single(cs(Brad) * sn(dLrad));
  const double r = root(checked(static_cast<double>(S) * S + static_cast<double>(E) * E));
  const float cosricht = r == 0 ? 1.0f : single(quot(S, r));
  const float richtrad = single(arcCos(cosricht));
  float richtgrad = single(radToDeg(-static_cast<double>(richtrad)));
  if (laenge > L0dez || laenge < single(static_cast<double>(L0dez) - 180)) richtgrad = -richtgrad;

  // The forward conversion's sector rule, each sector angle rounded to Single.
  float sektorgrad = 0;
  std::int16_t stunde = 0;
  hourSector(richtgrad, sektorgrad, stunde, single);

  // Offset.  A Single near 1 has steps of about 6e-8, so offsets below about
  // 1.5 km come out 0 and the smallest other one is about 2 km.
  const double sektorrad = degToRad(sektorgrad);
  const float cosversatz = single(cs(bogenrad) * cs(bogenrad) + sn(bogenrad) * sn(bogenrad) * cr::cos(sektorrad));
  float versatzrad = 0;
  if (cosversatz == 1) {
    versatzrad = 0;
  } else if (cosversatz == -1) {
    versatzrad = single(pi());
  } else {
    // Next to the hour's ray rounding can push the argument past 1; from here
    // on such failures are skipped and the offset stays 0.
    mode.skipOnError();
    mode.step([&] { versatzrad = single(arcCos(cosversatz)); });
  }

  float versatzganz = 0;
  float distganz = 0;
  mode.step([&] { versatzganz = single(std::floor(radToDeg(versatzrad) * kmPerDegree)); });
  mode.step([&] { distganz = single(std::floor(radToDeg(bogenrad) * kmPerDegree)); });

  std::string result;
  mode.step([&] { result = wholeKmCode(stunde, versatzganz, distganz); });
  return result;
}

}  // namespace qv
