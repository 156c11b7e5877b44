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
// is accepted and wraps. (A latitude within the poles is finite: NaN and the
// infinities fail the comparison.)
bool Measurable(double lon, double lat)
{
    return std::isfinite(lon) && std::fabs(lat) <= 90.0;
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

// The fast path for two measurable points whose longitudes lie at most a half
// turn apart (nearly every segment of a route), or a negative value: a
// longitude difference beyond +-180 degrees, or a segment beyond the fast
// bounds (LocalSegment.h). Inline, with no call on its way, so that a loop
// over segments keeps its values in registers.
inline double FastSegmentLength(double lon1, double lat1, double lon2, double lat2)
{
    const double difference = lon2 - lon1;
    if (!(std::fabs(difference) <= 180.0))
        return -1.0;
    return LocalSegmentLength(lat1, lat2, difference);
}

// Everything but the fast path: under the fast model, the longitude
// difference reduced to [-180, 180] (std::remainder, for the rare difference
// beyond a half turn; within it returns its argument unchanged, 180 and -180
// included) and then the fast path or, beyond its bounds, the geodesic; under
// the exact model the geodesic. Out of line, so that its calls stay off the
// common path: SegmentLength reaches it as a tail call, and a loop over
// segments keeps its values in registers.
[[gnu::noinline]] double OtherSegmentLength(double lon1, double lat1, double lon2, double lat2,
                                            bool fast) noexcept
{
    if (fast)
    {
        const double local = LocalSegmentLength(lat1, lat2, std::remainder(lon2 - lon1, 360.0));
        if (local >= 0.0)
            return local;
    }
    return GeodesicLength(lon1, lat1, lon2, lat2);
}

// LineLength of a line whose first point is measurable: one loop per model,
// so that the fast one tests nothing but the segment.
template <Model model> double SumOfSegments(unsigned short count, const tagLonLat* points)
{
    const bool fast = model == Model::Fast;
    double total = 0.0;
    for (unsigned i = 1; i < count; ++i)
    {
        const tagLonLat& from = points[i - 1];
        const tagLonLat& to = points[i];
        if (!Measurable(to.lon, to.lat))
            return kNaN;
        const double local = fast ? FastSegmentLength(from.lon, from.lat, to.lon, to.lat) : -1.0;
        total +=
            local >= 0.0 ? local : OtherSegmentLength(from.lon, from.lat, to.lon, to.lat, fast);
    }
    return total;
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
    const bool fast = GetModel() == Model::Fast;
    if (fast)
    {
        const double local = FastSegmentLength(lon1, lat1, lon2, lat2);
        if (local >= 0.0)
            return local;
    }
    return OtherSegmentLength(lon1, lat1, lon2, lat2, fast);
}

double LineLength(unsigned short count, const tagLonLat* points)
{
    if (points == nullptr || count < 2)
        return 0.0;
    if (!Measurable(points[0].lon, points[0].lat))
        return kNaN;
    // Segment by segment, with the fast path inline: each short segment takes
    // the fast path, each long one the geodesic, so a long line is as exact
    // as its segments and the sum is SegmentLength's, term by term. Each point
    // is checked once; an unmeasurable one makes the sum NaN whatever follows,
    // so the loop stops there.
    return GetModel() == Model::Fast ? SumOfSegments<Model::Fast>(count, points)
                                     : SumOfSegments<Model::Exact>(count, points);
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
    const double degrees = Degrees(std::atan2(east, north));
    return degrees < 0.0 ? degrees + 360.0 : degrees;
}

} // namespace refhost::geodesy
