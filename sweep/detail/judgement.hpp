// Whether a case's round trip failed: the position back lies more than the
// tolerance away from the input in latitude or in longitude, in either
// direction.  Longitudes are compared the short way round the globe.

#pragma once

namespace qvsweep {

// longitudeBack − longitude brought into (−180, 180]: 180 coming back as
// −179.9 is 0.1 degrees off, not 359.9.  An overflowing difference raises.
double longitudeDifference(double longitudeBack, double longitude);

// |latitudeBack − latitude| > toleranceDegrees or |ΔL| > toleranceDegrees,
// strictly greater; all in degrees.
bool isErrorCase(double latitude, double longitude, double latitudeBack, double longitudeBack, double toleranceDegrees);

}  // namespace qvsweep
