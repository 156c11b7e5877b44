// The library's geodesy calls on the reference host: WGS84, metres.
#include "Geodesy.h"

#include "Geodesy/ReferenceGeodesy.h"

double LineLength(unsigned short count, const tagLonLat* points)
{
    return refhost::geodesy::LineLength(count, points);
}

double SegmentLength(double lon1, double lat1, double lon2, double lat2)
{
    return refhost::geodesy::SegmentLength(lon1, lat1, lon2, lat2);
}

double SegmentLength(const tagLonLat& a, const tagLonLat& b)
{
    return refhost::geodesy::SegmentLength(a.lon, a.lat, b.lon, b.lat);
}

void GetUnitDegree(const tagLonLat& point, double& lonDeg, double& latDeg)
{
    refhost::geodesy::UnitDegree(point, lonDeg, latDeg);
}
