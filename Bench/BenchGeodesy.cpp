// The library's geodesy calls on the bench host: the reference geodesy (fast
// or exact model) or a planar stand-in, chosen at run time.
#include "BenchHost.h"

#include "Geodesy.h"
#include "Geodesy/ReferenceGeodesy.h"
#include "Support/SegmentSum.h"

#include <cmath>

namespace
{

bench::GeodesyModel g_model = bench::GeodesyModel::Fast;
// Plain counters: one thread, and an increment is noise next to a length.
bench::GeodesyCounts g_counts;
// The calls are appended here while a floor records them (else null).
std::vector<bench::GeodesyCall>* g_recorder = nullptr;

void Record(bench::GeodesyCall::Kind kind, unsigned short count, const tagLonLat* points,
            const tagLonLat& a, const tagLonLat& b)
{
    g_recorder->push_back({kind, count, points, a, b});
}

// Metres per degree of the planar model, on each axis: a sphere of the WGS84
// mean radius, the longitude axis shrunk by cos(reference latitude).
constexpr double kMetresPerDegree = 6371008.8 * 3.14159265358979323846 / 180.0;
double g_metresPerLonDegree = kMetresPerDegree * std::cos(45.0 * 3.14159265358979323846 / 180.0);

double PlanarLength(double lon1, double lat1, double lon2, double lat2)
{
    const double dx = (lon2 - lon1) * g_metresPerLonDegree;
    const double dy = (lat2 - lat1) * kMetresPerDegree;
    return std::sqrt(dx * dx + dy * dy);
}

} // namespace

namespace bench
{

void SetGeodesyModel(GeodesyModel model)
{
    g_model = model;
    refhost::geodesy::SetModel(model == GeodesyModel::Exact ? refhost::geodesy::Model::Exact
                                                            : refhost::geodesy::Model::Fast);
}

GeodesyCounts ReadGeodesyCounts()
{
    return g_counts;
}

void RecordGeodesyCalls(std::vector<GeodesyCall>* calls)
{
    g_recorder = calls;
}

GeodesyModel GetGeodesyModel()
{
    return g_model;
}

const char* GeodesyModelName(GeodesyModel model)
{
    switch (model)
    {
    case GeodesyModel::Fast:
        return "fast";
    case GeodesyModel::Exact:
        return "exact";
    case GeodesyModel::Planar:
        return "planar";
    }
    return "?";
}

double PlanarLonScaleAt(double latitudeDegrees)
{
    return kMetresPerDegree * std::cos(latitudeDegrees * 3.14159265358979323846 / 180.0);
}

void SetPlanarLonScale(double metresPerLonDegree)
{
    g_metresPerLonDegree = metresPerLonDegree;
}

} // namespace bench

double LineLength(unsigned short count, const tagLonLat* points)
{
    ++g_counts.lineCalls;
    if (g_recorder != nullptr)
        Record(bench::GeodesyCall::Line, count, points, {0.0, 0.0}, {0.0, 0.0});
    g_counts.lineSegments += points != nullptr && count >= 2 ? count - 1u : 0u;
    if (g_model != bench::GeodesyModel::Planar)
        return refhost::geodesy::LineLength(count, points);
    return aptest::SumOfSegments(count, points, PlanarLength);
}

double SegmentLength(double lon1, double lat1, double lon2, double lat2)
{
    ++g_counts.segmentCalls;
    if (g_recorder != nullptr)
        Record(bench::GeodesyCall::SegmentValues, 0, nullptr, {lon1, lat1}, {lon2, lat2});
    if (g_model != bench::GeodesyModel::Planar)
        return refhost::geodesy::SegmentLength(lon1, lat1, lon2, lat2);
    return PlanarLength(lon1, lat1, lon2, lat2);
}

double SegmentLength(const tagLonLat& a, const tagLonLat& b)
{
    if (g_recorder == nullptr)
        return SegmentLength(a.lon, a.lat, b.lon, b.lat);
    // Recorded as this form, not as the one it forwards to.
    Record(bench::GeodesyCall::SegmentPoints, 0, nullptr, a, b);
    std::vector<bench::GeodesyCall>* recorder = g_recorder;
    g_recorder = nullptr;
    const double length = SegmentLength(a.lon, a.lat, b.lon, b.lat);
    g_recorder = recorder;
    return length;
}

void GetUnitDegree(const tagLonLat& point, double& lonDeg, double& latDeg)
{
    ++g_counts.unitDegreeCalls;
    if (g_recorder != nullptr)
        Record(bench::GeodesyCall::UnitDegree, 0, nullptr, point, {0.0, 0.0});
    if (g_model != bench::GeodesyModel::Planar)
    {
        refhost::geodesy::UnitDegree(point, lonDeg, latDeg);
        return;
    }
    lonDeg = 1.0 / g_metresPerLonDegree;
    latDeg = 1.0 / kMetresPerDegree;
}
