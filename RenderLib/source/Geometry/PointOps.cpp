#include "PointOps.h"

#include "../Host/Geodesy.h"
#include "DirTables.h"

tagLonLat GetPointAtDistance(const tagLonLat& a, const tagLonLat& b, double d)
{
    double uLon = 0.0;
    double uLat = 0.0;
    GetUnitDegree(a, uLon, uLat);
    // Scaling the longitudes makes one length unit equally long on both axes,
    // so the plane direction is the bearing on the map.
    double k = uLat / uLon;
    unsigned short dir = GetDirection(a.lon * k, a.lat, b.lon * k, b.lat);
    tagLonLat result;
    result.lon = ((DirCos(dir) * uLon) * d) + a.lon;
    result.lat = ((DirSin(dir) * uLat) * d) + a.lat;
    return result;
}

int IsValidPoint(const tagLonLat& p)
{
    return (-180.0 < p.lon && p.lon < 180.0 && -90.0 < p.lat && p.lat < 90.0) ? 1 : 0;
}

namespace
{
double AbsoluteDifference(double a, double b)
{
    double d = a - b;
    if (d < 0.0)
        d = -d;
    return d;
}
} // namespace

int PointsEqual(const tagLonLat& a, const tagLonLat& b)
{
    double dlon = AbsoluteDifference(a.lon, b.lon);
    double dlat = AbsoluteDifference(a.lat, b.lat);
    return (dlon < AP_POINT_EPSILON && dlat < AP_POINT_EPSILON) ? 1 : 0;
}

int PointsDiffer(const tagLonLat& a, const tagLonLat& b)
{
    double dlon = AbsoluteDifference(a.lon, b.lon);
    double dlat = AbsoluteDifference(a.lat, b.lat);
    return (dlon >= AP_POINT_EPSILON || dlat > AP_POINT_EPSILON) ? 1 : 0;
}
