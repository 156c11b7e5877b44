#include "LocalSegment.h"

#include "Wgs84Radii.h"

#include <cmath>

namespace refhost::geodesy
{

double LocalSegmentLength(double lat1Deg, double lat2Deg, double dLonDeg)
{
    const double dLat = (lat2Deg - lat1Deg) * kRadiansPerDegree;
    const double dLon = dLonDeg * kRadiansPerDegree;
    if (!(std::fabs(dLon) <= kLocalSegmentMaxLonRadians))
        return -1.0;

    const double midLat = 0.5 * (lat1Deg + lat2Deg) * kRadiansPerDegree;
    const double sinMid = std::sin(midLat);
    const double cosMid = std::cos(midLat);
    const Radii radii = RadiiAt(sinMid);
    const double north = radii.meridional * dLat;
    const double east = radii.primeVertical * cosMid * dLon;
    const double plane = std::hypot(north, east);
    if (!(plane <= kLocalSegmentMaxMetres))
        return -1.0;

    // The geodesic is shorter than the plane length: with a = dLat, b = dLon
    // and m the mid-latitude, the haversine expanded to fourth order gives
    //   d^2 = D^2 - (cos^2 m sin^2 m b^4 + (1 + 2 sin^2 m) a^2 b^2) / 12,
    // D^2 = a^2 + cos^2 m b^2 (angles on the unit sphere). The relative
    // correction is dimensionless, so it carries over to the ellipsoid up to
    // terms of order e^2 times itself (below 1e-8 here).
    const double angleSquared = dLat * dLat + cosMid * cosMid * dLon * dLon;
    if (angleSquared == 0.0)
        return plane;
    const double lon2 = dLon * dLon;
    const double sin2 = sinMid * sinMid;
    const double fourthOrder =
        cosMid * cosMid * sin2 * lon2 * lon2 + (1.0 + 2.0 * sin2) * dLat * dLat * lon2;
    return plane * (1.0 - fourthOrder / (24.0 * angleSquared));
}

} // namespace refhost::geodesy
