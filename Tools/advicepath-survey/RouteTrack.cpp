#include "RouteTrack.h"

#include "Geodesy/ReferenceGeodesy.h"
#include "Route/RouteModel.h"

#include <algorithm>
#include <cmath>

namespace survey
{

namespace
{

// How much nearer a later foot must be to win over an earlier one.
constexpr double kNearerMetres = 0.01;

bool SamePlace(const tagLonLat& a, const tagLonLat& b)
{
    return a.lon == b.lon && a.lat == b.lat;
}

// `point` in metres east and north of `origin`, on the local plane there.
void Local(const tagLonLat& origin, const tagLonLat& point, double& east, double& north)
{
    double lonDeg = 0.0;
    double latDeg = 0.0;
    refhost::geodesy::UnitDegree(origin, lonDeg, latDeg);
    east = (point.lon - origin.lon) / lonDeg;
    north = (point.lat - origin.lat) / latDeg;
}

} // namespace

SegmentFoot FootOnSegment(const tagLonLat& point, const tagLonLat& a, const tagLonLat& b)
{
    double bx = 0.0;
    double by = 0.0;
    double px = 0.0;
    double py = 0.0;
    Local(a, b, bx, by);
    Local(a, point, px, py);
    const double squared = bx * bx + by * by;
    SegmentFoot foot;
    foot.fraction = squared > 0.0 ? std::clamp((px * bx + py * by) / squared, 0.0, 1.0) : 0.0;
    foot.offMetres = std::hypot(px - foot.fraction * bx, py - foot.fraction * by);
    return foot;
}

RouteTrack::RouteTrack(const std::vector<tagLonLat>& points)
{
    for (const tagLonLat& point : points)
        if (m_points.empty() || !SamePlace(m_points.back(), point))
            m_points.push_back(point);
    Measure();
    m_linkEnds.push_back(m_along.back());
}

RouteTrack::RouteTrack(const refhost::RouteModel& route)
{
    std::vector<std::size_t> lastPoints;
    for (std::size_t link = 0; link < route.LinkCount(); ++link)
    {
        for (const tagLonLat& point : route.LinkPoints(link))
            if (m_points.empty() || !SamePlace(m_points.back(), point))
                m_points.push_back(point);
        lastPoints.push_back(m_points.size() - 1);
    }
    Measure();
    for (const std::size_t last : lastPoints)
        m_linkEnds.push_back(m_along[last]);
}

void RouteTrack::Measure()
{
    if (m_points.size() == 1)
        m_points.push_back(m_points.front());
    m_along.assign(m_points.size(), 0.0);
    for (std::size_t i = 1; i < m_points.size(); ++i)
        m_along[i] = m_along[i - 1] +
                     refhost::geodesy::SegmentLength(m_points[i - 1].lon, m_points[i - 1].lat,
                                                     m_points[i].lon, m_points[i].lat);
}

std::size_t RouteTrack::SegmentAt(double metres) const
{
    // The segment whose end is the first point beyond `metres`.
    const auto after = std::upper_bound(m_along.begin(), m_along.end(), metres);
    const auto index = static_cast<std::size_t>(after - m_along.begin());
    return std::clamp<std::size_t>(index, 1, m_points.size() - 1) - 1;
}

std::optional<TrackPlace> RouteTrack::FirstNear(const tagLonLat& point, double from, double to,
                                                const Nearness& near) const
{
    // The first run of segments near enough, and on it the nearest foot: a
    // point just past a bend is near the end of the segment before it too.
    std::optional<TrackPlace> best;
    for (std::size_t s = SegmentAt(from); s + 1 < m_points.size() && m_along[s] <= to; ++s)
    {
        const double length = m_along[s + 1] - m_along[s];
        const SegmentFoot foot = FootOnSegment(point, m_points[s], m_points[s + 1]);
        TrackPlace place{m_along[s] + foot.fraction * length, foot.offMetres};
        if (place.metres < from) // the foot lies behind `from`: measure from there
        {
            const tagLonLat start = At(from);
            place = {from, FootOnSegment(point, start, start).offMetres};
        }
        const bool nearEnough = place.offMetres <= near.Allowed(length) && place.metres <= to;
        if (!nearEnough && best)
            break;
        // Nearer by a centimetre: a road driven out and back lies under
        // itself, and then the way out is the place.
        if (nearEnough && (!best || place.offMetres < best->offMetres - kNearerMetres))
            best = place;
    }
    return best;
}

TrackPlace RouteTrack::Nearest(const tagLonLat& point, double from, double to) const
{
    TrackPlace best{from, HUGE_VAL};
    for (std::size_t s = SegmentAt(from); s + 1 < m_points.size() && m_along[s] <= to; ++s)
    {
        const SegmentFoot foot = FootOnSegment(point, m_points[s], m_points[s + 1]);
        if (foot.offMetres < best.offMetres)
            best = {m_along[s] + foot.fraction * (m_along[s + 1] - m_along[s]), foot.offMetres};
    }
    return best;
}

tagLonLat RouteTrack::At(double metres) const
{
    const std::size_t s = SegmentAt(metres);
    const double length = m_along[s + 1] - m_along[s];
    const double t = length > 0.0 ? std::clamp((metres - m_along[s]) / length, 0.0, 1.0) : 0.0;
    return {m_points[s].lon + t * (m_points[s + 1].lon - m_points[s].lon),
            m_points[s].lat + t * (m_points[s + 1].lat - m_points[s].lat)};
}

double RouteTrack::Bearing(double from, double to) const
{
    return refhost::geodesy::Bearing(At(from), At(to));
}

double RouteTrack::LargestStray(const tagLonLat& a, const tagLonLat& b, double from,
                                double to) const
{
    double largest = 0.0;
    const auto first = std::upper_bound(m_along.begin(), m_along.end(), from);
    for (auto it = first; it != m_along.end() && *it < to; ++it)
    {
        const tagLonLat& point = m_points[static_cast<std::size_t>(it - m_along.begin())];
        largest = std::max(largest, FootOnSegment(point, a, b).offMetres);
    }
    return largest;
}

} // namespace survey
