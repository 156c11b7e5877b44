#include "Geodesy/ReferenceGeodesy.h"

#include "LocalSegment.h"
#include "Wgs84Radii.h"

#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/Math.hpp>

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
    if (GetModel() == Model::Fast)
    {
        const double dLon = std::remainder(lon2 - lon1, 360.0);
        const double local = LocalSegmentLength(lat1, lat2, dLon);
        if (local >= 0.0)
            return local;
    }
    return GeodesicLength(lon1, lat1, lon2, lat2);
}

double LineLength(unsigned short count, const tagLonLat* points)
{
    if (points == nullptr || count < 2)
        return 0.0;
    // Segment by segment: each short one takes the fast path, each long one
    // the geodesic, so a long line is as exact as its segments.
    double total = 0.0;
    for (unsigned i = 1; i < count; ++i)
        total += SegmentLength(points[i - 1].lon, points[i - 1].lat, points[i].lon, points[i].lat);
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
    double sinLat = 0.0;
    double cosLat = 0.0;
    // Exact at the poles: cos(90 degrees) is 0, not 6e-17.
    GeographicLib::Math::sincosd(point.lat, sinLat, cosLat);
    const Radii radii = RadiiAt(sinLat);
    latDeg = 1.0 / (radii.meridional * kRadiansPerDegree);
    lonDeg = cosLat == 0.0 ? std::numeric_limits<double>::infinity()
                           : 1.0 / (radii.primeVertical * std::fabs(cosLat) * kRadiansPerDegree);
}

} // namespace refhost::geodesy
