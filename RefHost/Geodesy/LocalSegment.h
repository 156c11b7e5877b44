// Short distances on the WGS84 ellipsoid by a local approximation, without the
// iterative geodesic: the fast path of the reference geodesy.
#ifndef REFHOST_GEODESY_LOCALSEGMENT_H
#define REFHOST_GEODESY_LOCALSEGMENT_H

namespace refhost::geodesy
{

// The longest segment, in metres, and the widest longitude difference, in
// radians, that LocalSegmentLength measures; beyond either the caller uses
// the geodesic. The longitude bound keeps the correction term small near the
// poles, where a few kilometres span many degrees of longitude.
constexpr double kLocalSegmentMaxMetres = 5000.0;
constexpr double kLocalSegmentMaxLonRadians = 0.01;

// Length in metres between two points given in degrees, `dLonDeg` being the
// longitude difference already reduced to [-180, 180]. Plane lengths with the
// radii of curvature at the mid-latitude (dy = M dlat, dx = N cos(midlat)
// dlon) and a second-order correction for the curvature of the geodesic
// relative to that plane (the term that grows with tan(latitude)^2), which
// keeps the relative error near 1e-9 instead of near 1e-6 at 80 degrees.
// Returns a negative value when the segment is out of the bounds above (the
// caller then measures it with the geodesic). Inputs must be finite with
// |lat| <= 90.
double LocalSegmentLength(double lat1Deg, double lat2Deg, double dLonDeg);

} // namespace refhost::geodesy

#endif
