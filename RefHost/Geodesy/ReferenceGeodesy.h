// The reference geodesy on the WGS84 ellipsoid, lengths in metres, under its
// own names. The host binding (HostGeodesy.cpp) maps the library's geodesy
// calls onto these; the test host can use them too.
#ifndef REFHOST_GEODESY_REFERENCEGEODESY_H
#define REFHOST_GEODESY_REFERENCEGEODESY_H

#include "Host/LonLat.h"

namespace refhost::geodesy {

// How SegmentLength measures.
enum class Model
{
    // A local ellipsoidal approximation (radii of curvature at the mid-latitude)
    // for segments up to 5 km, GeographicLib's geodesic beyond: the default.
    Fast,
    // GeographicLib's geodesic for every segment.
    Exact,
};

void SetModel(Model model);
Model GetModel();

// Length in metres between two points (degrees). Non-finite or out-of-range
// input gives a non-finite result; never throws.
double SegmentLength(double lon1, double lat1, double lon2, double lat2);

// Length in metres of the polyline; 0 for a null array or fewer than two
// points; non-finite when a coordinate is.
double LineLength(unsigned short count, const tagLonLat* points);

// Degrees of longitude and of latitude that one metre spans at `point`, from
// the ellipsoid's radii of curvature there.
void UnitDegree(const tagLonLat& point, double& lonDeg, double& latDeg);

} // namespace refhost::geodesy

#endif
