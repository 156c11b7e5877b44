// Short distances on the WGS84 ellipsoid by a local approximation, without the
// iterative geodesic: the fast path of the reference geodesy. Inline, because
// it is the whole cost of a short segment and LineLength calls it in a loop.
#ifndef REFHOST_GEODESY_LOCALSEGMENT_H
#define REFHOST_GEODESY_LOCALSEGMENT_H

#include "SinCosDegrees.h"
#include "Wgs84Radii.h"

#include <cmath>

namespace refhost::geodesy
{

// The longest segment, in metres, and the widest longitude difference, in
// radians, that LocalSegmentLength measures; beyond either the caller uses
// the geodesic. The longitude bound keeps the correction term small near the
// poles, where a few kilometres span many degrees of longitude.
constexpr double kLocalSegmentMaxMetres = 5000.0;
constexpr double kLocalSegmentMaxLonRadians = 0.01;
// A relative curvature correction below this is left out (see below).
constexpr double kNegligibleCorrection = 1e-10;

// Length in metres between two points given in degrees, `dLonDeg` being the
// longitude difference already reduced to [-180, 180]. Plane lengths with the
// radii of curvature at the mid-latitude (dy = M dlat, dx = N cos(midlat)
// dlon) and a second-order correction for the curvature of the geodesic
// relative to that plane (the term that grows with tan(latitude)^2), which
// keeps the relative error near 1e-9 instead of near 1e-6 at 80 degrees.
// Returns a negative value when the segment is out of the bounds above (the
// caller then measures it with the geodesic). Inputs must be finite with
// |lat| <= 90.
inline double LocalSegmentLength(double lat1Deg, double lat2Deg, double dLonDeg)
{
    const double dLon = dLonDeg * kRadiansPerDegree;
    if (!(std::fabs(dLon) <= kLocalSegmentMaxLonRadians))
        return -1.0;
    const double dLat = (lat2Deg - lat1Deg) * kRadiansPerDegree;

    const detail::SinCos mid = SinCosDegrees(0.5 * (lat1Deg + lat2Deg));
    const Radii radii = RadiiAt(mid.sin);
    const double north = radii.meridional * dLat;
    const double east = radii.primeVertical * mid.cos * dLon;
    // Both terms are below a few thousand kilometres here: the plain sum of
    // squares cannot overflow, and std::hypot's care costs more than the rest.
    // The bound is checked on the square, before the root is taken.
    const double planeSquared = north * north + east * east;
    if (!(planeSquared <= kLocalSegmentMaxMetres * kLocalSegmentMaxMetres))
        return -1.0;
    const double plane = std::sqrt(planeSquared);

    // The geodesic is shorter than the plane length: with a = dLat, b = dLon
    // and m the mid-latitude, the haversine expanded to fourth order gives
    //   d^2 = D^2 - (cos^2 m sin^2 m b^4 + (1 + 2 sin^2 m) a^2 b^2) / 12,
    // D^2 = a^2 + cos^2 m b^2 (angles on the unit sphere). The relative
    // correction is dimensionless, so it carries over to the ellipsoid up to
    // terms of order e^2 times itself (below 1e-8 here). It is at most
    // b^2 (1 + 2 sin^2 m) / 24 (the bracket is at most b^2 (1 + 2 sin^2 m) D^2),
    // below 1e-10 for a segment spanning little longitude (up to about 150 m
    // east-west at 45 degrees): most segments of a road skip it, and its
    // division.
    const double sin2 = mid.sin * mid.sin;
    const double lon2 = dLon * dLon;
    if (lon2 * (1.0 + 2.0 * sin2) < 24.0 * kNegligibleCorrection)
        return plane;
    const double cos2 = mid.cos * mid.cos;
    const double angleSquared = dLat * dLat + cos2 * lon2;
    if (angleSquared == 0.0)
        return plane; // along a pole's parallel of radius 0
    const double fourthOrder = cos2 * sin2 * lon2 * lon2 + (1.0 + 2.0 * sin2) * dLat * dLat * lon2;
    return plane * (1.0 - fourthOrder / (24.0 * angleSquared));
}

} // namespace refhost::geodesy

#endif
