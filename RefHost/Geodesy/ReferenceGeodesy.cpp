#include "Geodesy/ReferenceGeodesy.h"

#include "LocalSegment.h"
#include "SinCosDegrees.h"
#include "Wgs84Radii.h"

#include <GeographicLib/Geodesic.hpp>

#include <atomic>
#include <cmath>
#include <limits>

namespace refhost::geodesy
{

namespace
{

std::atomic<Model> g_model{Model::Fast};

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// A point that has a length: finite, latitude within the poles. Any longitude
// is accepted and wraps.
bool Measurable(double lon, double lat)
{
    return std::isfinite(lon) && std::isfinite(lat) && std::fabs(lat) <= 90.0;
}

// lon2 - lon1 reduced to [-180, 180]. Route points rarely lie more than a
// half turn apart in their longitudes, and within [-180, 180] std::remainder
// returns its argument unchanged (180 and -180 included), so it is only
// called for the rare difference beyond.
double WrappedLongitudeDifference(double lon1, double lon2)
{
    const double difference = lon2 - lon1;
    return std::fabs(difference) <= 180.0 ? difference : std::remainder(difference, 360.0);
}

double GeodesicLength(double lon1, double lat1, double lon2, double lat2) noexcept
{
    try
    {
        double metres = kNaN;
        GeographicLib::Geodesic::WGS84().Inverse(lat1, lon1, lat2, lon2, metres);
        return metres;
    }
    catch (...)
    {
        return kNaN;
    }
}

// Two measurable points: the fast path when `fast` and the segment is within
// its bounds, the geodesic otherwise.
inline double MeasurableSegmentLength(double lon1, double lat1, double lon2, double lat2, bool fast)
{
    if (fast)
    {
        const double local = LocalSegmentLength(lat1, lat2, WrappedLongitudeDifference(lon1, lon2));
        if (local >= 0.0)
            return local;
    }
    return GeodesicLength(lon1, lat1, lon2, lat2);
}

} // namespace

void SetModel(Model model)
{
    g_model.store(model, std::memory_order_relaxed);
}

Model GetModel()
{
    return g_model.load(std::memory_order_relaxed);
}

double SegmentLength(double lon1, double lat1, double lon2, double lat2)
{
    if (!Measurable(lon1, lat1) || !Measurable(lon2, lat2))
        return kNaN;
    return MeasurableSegmentLength(lon1, lat1, lon2, lat2, GetModel() == Model::Fast);
}

double LineLength(unsigned short count, const tagLonLat* points)
{
    if (points == nullptr || count < 2)
        return 0.0;
    if (!Measurable(points[0].lon, points[0].lat))
        return kNaN;
    // Segment by segment, in one loop with the fast path inline: each short
    // segment takes the fast path, each long one the geodesic, so a long line
    // is as exact as its segments and the sum is SegmentLength's, term by
    // term. Each point is checked once; an unmeasurable one makes the sum NaN
    // whatever follows, so the loop stops there.
    const bool fast = GetModel() == Model::Fast;
    double total = 0.0;
    for (unsigned i = 1; i < count; ++i)
    {
        const tagLonLat& from = points[i - 1];
        const tagLonLat& to = points[i];
        if (!Measurable(to.lon, to.lat))
            return kNaN;
        total += MeasurableSegmentLength(from.lon, from.lat, to.lon, to.lat, fast);
    }
    return total;
}

void UnitDegree(const tagLonLat& point, double& lonDeg, double& latDeg)
{
    if (!Measurable(point.lon, point.lat))
    {
        lonDeg = kNaN;
        latDeg = kNaN;
        return;
    }
    // Exact at the poles: cos(90 degrees) is 0, not 6e-17.
    const detail::SinCos lat = SinCosDegrees(point.lat);
    const Radii radii = RadiiAt(lat.sin);
    latDeg = 1.0 / (radii.meridional * kRadiansPerDegree);
    lonDeg = lat.cos == 0.0 ? std::numeric_limits<double>::infinity()
                            : 1.0 / (radii.primeVertical * std::fabs(lat.cos) * kRadiansPerDegree);
}

double Bearing(const tagLonLat& from, const tagLonLat& to)
{
    double lonDeg = 0.0;
    double latDeg = 0.0;
    UnitDegree(from, lonDeg, latDeg);
    const double east = (to.lon - from.lon) / lonDeg;
    const double north = (to.lat - from.lat) / latDeg;
    if (!(std::isfinite(east) && std::isfinite(north)) || (east == 0.0 && north == 0.0))
        return kNaN;
    const double degrees = std::atan2(east, north) * 180.0 / kPi;
    return degrees < 0.0 ? degrees + 360.0 : degrees;
}

} // namespace refhost::geodesy
