#include "forward.hpp"

#include <cmath>

#include "checked_math.hpp"
#include "code_text.hpp"
#include "inverse.hpp"

namespace qv {
namespace {

// One row of the hour sector table: the test on `richtgrad`, then the
// sector angle and the hour it gives.
struct SectorRow {
  bool (*holds)(double richtgrad);
  double base;  // sektorgrad = base − richtgrad
  std::int16_t hour;
};

// Table order matters: every row that holds overwrites the ones before it.
// The east half's borders belong to the lower hour, the west half's to the upper.
constexpr SectorRow sectorTable[] = {
    {[](double r) { return r >= 0; }, 30, 5},      {[](double r) { return r >= 30; }, 60, 4},
    {[](double r) { return r >= 60; }, 90, 3},     {[](double r) { return r >= 90; }, 120, 2},
    {[](double r) { return r >= 120; }, 150, 1},   {[](double r) { return r >= 150; }, 180, 12},
    {[](double r) { return r < 0; }, 0, 6},        {[](double r) { return r <= -30; }, -30, 7},
    {[](double r) { return r <= -60; }, -60, 8},   {[](double r) { return r <= -90; }, -90, 9},
    {[](double r) { return r <= -120; }, -120, 10}, {[](double r) { return r <= -150; }, -150, 11},
    {[](double r) { return r <= -180; }, -180, 12},
};

}  // namespace

const ReferenceTrig& referenceTrig() {
  static const ReferenceTrig trig = [] {
    CaseValues v;
    setReferencePoint(v);
    return ReferenceTrig{std::sin(v.B0rad), std::cos(v.B0rad), std::sin(v.L0rad), std::cos(v.L0rad)};
  }();
  return trig;
}

void setReferencePoint(CaseValues& v) {
  v.B0rad = degToRad(referenceLatitude());
  v.L0rad = degToRad(referenceLongitude());
}

void forwardConversion(double& Bdez, double& Ldez, std::int16_t& stunde, CaseValues& v, ErrorMode& mode,
                       const std::function<void()>& eastBoundClamped) {
  const double B0dez = referenceLatitude();
  const double L0dez = referenceLongitude();
  setReferencePoint(v);

  // Input adjustment, written back into the caller's variables.  Values
  // below -180 and above 90 are left alone on purpose.
  if (mode.decide([&] { return Ldez == -180; })) mode.step([&] { Ldez = -179.999999; });
  if (mode.decide([&] { return Ldez > 180; })) {
    mode.step([&] { Ldez = 180; });
    if (eastBoundClamped) mode.step(eastBoundClamped);
  }
  if (mode.decide([&] { return Bdez <= -90; })) mode.step([&] { Bdez = -89.9; });
  if (mode.decide([&] { return Bdez == 90; })) mode.step([&] { Bdez = 89.9; });

  mode.step([&] { v.dLrad = degToRad(checked(Ldez - L0dez)); });
  mode.step([&] { v.Brad = degToRad(Bdez); });

  // Central angle.  The sines and cosines are taken once per value: they are
  // pure, so this changes no result.
  const ReferenceTrig& ref = referenceTrig();
  const double sinBrad = std::sin(v.Brad), cosBrad = std::cos(v.Brad);
  const double sinDL = std::sin(v.dLrad), cosDL = std::cos(v.dLrad);
  mode.step([&] { v.cosbogen = checked(ref.sinB0 * sinBrad + cosBrad * ref.cosB0 * cosDL); });
  mode.step([&] { v.bogenrad = arcCos(v.cosbogen); });
  if (mode.decide([&] { return B0dez == Bdez && L0dez == Ldez; })) mode.step([&] { v.bogenrad = 0; });

  // Distance.
  mode.step([&] { v.bogengrad = radToDeg(v.bogenrad); });
  mode.step([&] { v.distkm = checked(v.bogengrad * kmPerDegree); });
  mode.step([&] { v.disttext = oneDecimalText(v.distkm); });

  // Direction: the cosine of the angle from due south, from the southward
  // component S and the square E2 of the eastward one.
  mode.step([&] {
    const double S = cosBrad * ref.sinB0 * cosDL - ref.cosB0 * sinBrad;
    const double E2 = cosBrad * sinDL * cosBrad * sinDL;
    const double r = root(checked(S * S + E2));
    v.cosricht = r == 0 ? 1 : quot(S, r);
  });
  mode.step([&] { v.richtrad = arcCos(v.cosricht); });
  mode.step([&] { v.richtgrad = checked(((-v.richtrad) * 180) / (4 * std::atan(1.0))); });
  if (mode.decide([&] { return Ldez > L0dez || Ldez < L0dez - 180; })) mode.step([&] { v.richtgrad = -v.richtgrad; });

  // Hour sector: the last row that holds decides.
  for (const SectorRow& row : sectorTable) {
    if (mode.decide([&] { return row.holds(v.richtgrad); })) {
      mode.step([&] { v.sektorgrad = checked(row.base - v.richtgrad); });
      stunde = row.hour;
    }
  }

  // Offset: two points at the same central angle whose bearings differ by
  // the sector angle.
  mode.step([&] { v.sektorrad = degToRad(v.sektorgrad); });
  mode.step([&] {
    const double sinBogen = std::sin(v.bogenrad), cosBogen = std::cos(v.bogenrad);
    v.cosversatz = checked(cosBogen * cosBogen + sinBogen * sinBogen * std::cos(v.sektorrad));
  });
  if (v.cosversatz == 1) {
    mode.step([&] { v.versatzrad = 0; });
  } else if (v.cosversatz == -1) {
    mode.step([&] { v.versatzrad = pi(); });
  } else {
    // Rounding can push the argument past 1 next to the hour's ray; from here
    // on such failures are skipped and the offset stays 0.
    mode.skipOnError();
    mode.step([&] { v.versatzrad = arcCos(v.cosversatz); });
  }
  mode.step([&] { v.versatzgrad = radToDeg(v.versatzrad); });
  mode.step([&] { v.versatzkm = checked(kmPerDegree * v.versatzgrad); });
  mode.step([&] { v.versatztext = oneDecimalText(v.versatzkm); });
  mode.step([&] { v.codetext = codeText(stunde, v.versatztext, v.disttext); });
}

}  // namespace qv
