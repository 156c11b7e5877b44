#include "TurnFloor.h"

#include "Geodesy.h"

namespace bench
{

std::vector<GeodesyCall> RecordGeodesyCallsOf(const std::function<void()>& work)
{
    std::vector<GeodesyCall> calls;
    RecordGeodesyCalls(&calls);
    work();
    RecordGeodesyCalls(nullptr);
    return calls;
}

double ReplayGeodesyCalls(const std::vector<GeodesyCall>& calls)
{
    double sum = 0.0;
    for (const GeodesyCall& call : calls)
    {
        switch (call.kind)
        {
        case GeodesyCall::Line:
            sum += LineLength(call.count, call.points);
            break;
        case GeodesyCall::SegmentValues:
            sum += SegmentLength(call.a.lon, call.a.lat, call.b.lon, call.b.lat);
            break;
        case GeodesyCall::SegmentPoints:
            sum += SegmentLength(call.a, call.b);
            break;
        case GeodesyCall::UnitDegree:
        {
            double lonDeg = 0.0;
            double latDeg = 0.0;
            GetUnitDegree(call.a, lonDeg, latDeg);
            sum += lonDeg + latDeg;
            break;
        }
        }
    }
    return sum;
}

} // namespace bench
