// Geodesy of the test host: planar with exact lengths by default, or the
// reference geodesy where it is built.
#include "Geodesy.h"
#include "SegmentSum.h"
#include "TestHost.h"

#include <cmath>

#if defined(AP_TESTHOST_HAS_REFERENCE_GEODESY)
#include "Geodesy/ReferenceGeodesy.h"
#endif

namespace
{
struct GeodesyState
{
    bool reference = false;
    double unitsPerDegree = 1.0;
    int segmentCalls = 0;
};
GeodesyState& State()
{
    static GeodesyState state;
    return state;
}

double PlanarSegment(double lon1, double lat1, double lon2, double lat2)
{
    return std::hypot(lon2 - lon1, lat2 - lat1) * State().unitsPerDegree;
}
} // namespace

void aptest::GeodesyControl::UsePlanar(double unitsPerDegree)
{
    State().reference = false;
    State().unitsPerDegree = unitsPerDegree;
}

bool aptest::GeodesyControl::ReferenceAvailable()
{
#if defined(AP_TESTHOST_HAS_REFERENCE_GEODESY)
    return true;
#else
    return false;
#endif
}

void aptest::GeodesyControl::UseReference()
{
    State().reference = ReferenceAvailable();
}

int& aptest::GeodesyControl::SegmentLengthCalls()
{
    return State().segmentCalls;
}

double SegmentLength(double lon1, double lat1, double lon2, double lat2)
{
    ++State().segmentCalls;
#if defined(AP_TESTHOST_HAS_REFERENCE_GEODESY)
    if (State().reference)
        return refhost::geodesy::SegmentLength(lon1, lat1, lon2, lat2);
#endif
    return PlanarSegment(lon1, lat1, lon2, lat2);
}

double SegmentLength(const tagLonLat& a, const tagLonLat& b)
{
    return SegmentLength(a.lon, a.lat, b.lon, b.lat);
}

double LineLength(unsigned short count, const tagLonLat* points)
{
#if defined(AP_TESTHOST_HAS_REFERENCE_GEODESY)
    if (State().reference)
        return refhost::geodesy::LineLength(count, points);
#endif
    return aptest::SumOfSegments(count, points, PlanarSegment);
}

void GetUnitDegree(const tagLonLat& point, double& lonDeg, double& latDeg)
{
#if defined(AP_TESTHOST_HAS_REFERENCE_GEODESY)
    if (State().reference)
    {
        refhost::geodesy::UnitDegree(point, lonDeg, latDeg);
        return;
    }
#endif
    (void)point;
    lonDeg = 1.0 / State().unitsPerDegree;
    latDeg = 1.0 / State().unitsPerDegree;
}
