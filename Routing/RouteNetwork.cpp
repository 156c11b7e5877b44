#include "RouteNetwork.h"

#include "JunctionManeuver.h"

#include "Geodesy/Angles.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace refhost::routing
{

namespace
{

// The network is asked for this far around the places asked about.
constexpr double kNetworkMarginMetres = 150.0;
// Around a junction whose roads reach beyond the part: first this far, then
// four times as far each time, up to the widest.
constexpr double kWiderMarginMetres = 1000.0;
constexpr double kWidestMarginMetres = 16000.0;
// One part for the whole route up to this many square kilometres.
constexpr double kWholeRouteKm2 = 25.0;
using geodesy::kFlatMetresPerDegreeLat;
using geodesy::kRadiansPerDegree;

} // namespace

RouteNetwork::RouteNetwork(NetworkSource source, const Track& track)
    : m_source(std::move(source)), m_track(track)
{
    if (!m_source)
        return;
    const Box box = BoxOf(0, track.points.size() - 1, kNetworkMarginMetres);
    const double northKm = (box.high.lat - box.low.lat) * kFlatMetresPerDegreeLat / 1000.0;
    const double eastKm = (box.high.lon - box.low.lon) * kFlatMetresPerDegreeLat / 1000.0 *
                          std::cos(box.low.lat * kRadiansPerDegree);
    if (northKm * eastKm <= kWholeRouteKm2)
    {
        m_part = m_source(box.low, box.high);
        m_whole = true;
    }
}

const RoadNetworkPart& RouteNetwork::Around(size_t first, size_t last)
{
    if (m_source && !m_whole && !(m_asked && first == m_first && last == m_last))
    {
        const Box box = BoxOf(first, last, kNetworkMarginMetres);
        m_part = m_source(box.low, box.high);
        m_first = first;
        m_last = last;
        m_asked = true;
    }
    return m_part;
}

std::vector<JunctionRoad> RouteNetwork::RoadsIn(const RoadNetworkPart& part, size_t point)
{
    const tagLonLat& at = m_track.points[point];
    if (part.CompleteAt(at))
        return part.RoadsAt(at);
    std::vector<JunctionRoad> roads;
    for (int widening = 0;; ++widening)
    {
        // Each box four times as wide as the one before.
        const double margin = std::ldexp(kWiderMarginMetres, 2 * widening);
        if (margin > kWidestMarginMetres)
            break;
        const Box box = BoxOf(point, point, margin);
        const RoadNetworkPart wider = m_source(box.low, box.high);
        roads = wider.RoadsAt(at);
        if (wider.CompleteAt(at))
            break;
    }
    return roads;
}

std::vector<JunctionRoad> RouteNetwork::RoadsAt(size_t point)
{
    return RoadsIn(Around(point, point), point);
}

std::vector<JunctionRoads> RouteNetwork::Junctions(size_t first, size_t last)
{
    std::vector<JunctionRoads> junctions;
    const RoadNetworkPart& part = Around(first, last);
    if (part.Empty())
        return junctions;
    const std::vector<tagLonLat>& points = m_track.points;
    for (size_t p = first; p <= last; ++p)
    {
        const tagLonLat previous = p > 0 ? points[p - 1] : AP_INVALID_POINT;
        const tagLonLat next = p + 1 < points.size() ? points[p + 1] : AP_INVALID_POINT;
        JunctionRoads others = OtherRoads(RoadsIn(part, p), points[p], previous, next);
        if (others.otherBearings.empty() && p != first && p != last)
            continue;
        junctions.push_back(std::move(others));
    }
    return junctions;
}

RouteNetwork::Box RouteNetwork::BoxOf(size_t first, size_t last, double marginMetres) const
{
    Box box{m_track.points[first], m_track.points[first]};
    for (size_t p = first; p <= last; ++p)
    {
        box.low.lon = std::min(box.low.lon, m_track.points[p].lon);
        box.low.lat = std::min(box.low.lat, m_track.points[p].lat);
        box.high.lon = std::max(box.high.lon, m_track.points[p].lon);
        box.high.lat = std::max(box.high.lat, m_track.points[p].lat);
    }
    const double latMargin = marginMetres / kFlatMetresPerDegreeLat;
    const double widest = std::max(std::fabs(box.low.lat), std::fabs(box.high.lat));
    const double lonMargin = latMargin / std::max(0.01, std::cos(widest * kRadiansPerDegree));
    box.low.lon -= lonMargin;
    box.low.lat -= latMargin;
    box.high.lon += lonMargin;
    box.high.lat += latMargin;
    return box;
}

} // namespace refhost::routing
