// The reference geodesy on the WGS84 ellipsoid, lengths in metres, under its
// own names. The host binding (HostGeodesy.cpp) maps the library's geodesy
// calls onto these; the test host can use them too.
#ifndef REFHOST_GEODESY_REFERENCEGEODESY_H
#define REFHOST_GEODESY_REFERENCEGEODESY_H

#include "LonLat.h"

namespace refhost::geodesy
{

// How SegmentLength measures.
enum class Model
{
    // A local ellipsoidal approximation (radii of curvature at the mid-latitude)
    // for segments up to 5 km spanning at most 0.01 rad of longitude,
    // GeographicLib's geodesic beyond: the default.
    Fast,
    // GeographicLib's geodesic for every segment.
    Exact,
};

void SetModel(Model model);
Model GetModel();

// Length in metres between two points (degrees). Any finite longitude is
// accepted and wraps (179.999 to -179.999 is a short step); latitudes from -90
// to 90, the poles included. A non-finite coordinate or a latitude beyond the
// poles gives NaN; never throws. The fast model agrees with the geodesic to a
// relative 1e-8 (worst measured 2e-9) up to 5 km.
double SegmentLength(double lon1, double lat1, double lon2, double lat2);

// Length in metres of the polyline: the sum of its segments' SegmentLength
// (so long segments are measured by the geodesic). 0 for a null array or
// fewer than two points; NaN when a coordinate is not measurable.
double LineLength(unsigned short count, const tagLonLat* points);

// Degrees of longitude and of latitude that one metre spans at `point`, from
// the ellipsoid's radii of curvature there: latDeg = 180 / (pi M),
// lonDeg = 180 / (pi N cos(lat)). A step of up to 1 km built with them
// measures its length to a relative 1e-6 (worst measured 8e-7, from M
// changing over a northward step). At a pole (|lat| exactly 90) lonDeg is
// +infinity; close to one it is large but finite. A non-finite coordinate or
// a latitude beyond the poles gives NaN for both.
void UnitDegree(const tagLonLat& point, double& lonDeg, double& latDeg);

// Direction from `from` to `to` in degrees clockwise from north, 0 <= b < 360,
// on the ellipsoid's local east-north plane at `from` (UnitDegree there), as a
// map drawn around `from` shows it: for steps up to a few kilometres, not for
// great-circle courses (the longitude difference is not wrapped). NaN when
// the points coincide or a coordinate is not measurable.
double Bearing(const tagLonLat& from, const tagLonLat& to);

} // namespace refhost::geodesy

#endif
