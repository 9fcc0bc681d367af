// Whether a case's round trip failed: the position back lies more than the
// tolerance away from the input in latitude or in longitude, in either
// direction.  Longitudes are compared the short way round the globe.

#pragma once

namespace qvsweep {

// Ldezbk − Ldez brought into (−180, 180]: 180 coming back as −179.9 is 0.1
// degrees off, not 359.9.  An overflowing difference raises.
double longitudeDifference(double Ldezbk, double Ldez);

// |Bdezbk − Bdez| > fehlergrad or |ΔL| > fehlergrad, strictly greater.
bool isErrorCase(double Bdez, double Ldez, double Bdezbk, double Ldezbk, double fehlergrad);

}  // namespace qvsweep
