#include "RouteTimeline.h"

#include "Geodesy/ReferenceGeodesy.h"
#include "Route/RouteModel.h"

#include <algorithm>
#include <cmath>

namespace drive
{

using refhost::RouteModel;
namespace geodesy = refhost::geodesy;

namespace
{

// Clamped to [0, upper]; NaN gives 0.
double Clamp(double value, double upper)
{
    return value > 0.0 ? std::min(value, upper) : 0.0;
}

} // namespace

RouteTimeline::RouteTimeline(const RouteModel& route, double fallbackKmh)
{
    const double fallback =
        (std::isfinite(fallbackKmh) && fallbackKmh > 0.0 ? fallbackKmh : kDefaultSpeedKmh) / 3.6;
    const size_t links = route.LinkCount();
    m_linkFirst.reserve(links);
    double time = 0.0;
    for (size_t link = 0; link < links; ++link)
    {
        const std::vector<tagLonLat>& points = route.LinkPoints(link);
        const std::vector<double>& times = route.LinkTimes(link);
        const bool timed = times.size() == points.size();
        m_timedLinks += timed ? 1 : 0;
        if (m_points.empty())
        {
            m_points.push_back(points.front());
            m_distance.push_back(0.0);
            m_time.push_back(0.0);
        }
        m_linkFirst.push_back(m_points.size() - 1);
        // The model's own start distance, so that both measure alike; never
        // behind the point before (the sums differ in the last bits).
        double distance = std::max(route.LinkStartDistance(link), m_distance.back());
        for (size_t i = 1; i < points.size(); ++i)
        {
            const double metres = geodesy::SegmentLength(points[i - 1].lon, points[i - 1].lat,
                                                         points[i].lon, points[i].lat);
            const double seconds =
                timed ? std::max(0.0, times[i] - times[i - 1]) : metres / fallback;
            distance += std::isfinite(metres) ? metres : 0.0;
            time += seconds;
            m_points.push_back(points[i]);
            m_distance.push_back(distance);
            m_time.push_back(time);
        }
    }
}

double RouteTimeline::HeadingOf(size_t segment) const
{
    // A segment of no length has no direction: the next one that has, or the
    // one before.
    size_t from = segment;
    while (from + 2 < m_points.size() && m_distance[from + 1] <= m_distance[from])
        ++from;
    while (from > 0 && m_distance[from + 1] <= m_distance[from])
        --from;
    const double bearing = geodesy::Bearing(m_points[from], m_points[from + 1]);
    return std::isnan(bearing) ? 0.0 : bearing;
}

RoutePassage RouteTimeline::PassageOf(SegmentPlace place) const
{
    const size_t segment = place.segment;
    const double fraction = place.fraction;
    const tagLonLat& a = m_points[segment];
    const tagLonLat& b = m_points[segment + 1];
    RoutePassage passage;
    passage.position = {a.lon + (b.lon - a.lon) * fraction, a.lat + (b.lat - a.lat) * fraction};
    passage.distance =
        m_distance[segment] + (m_distance[segment + 1] - m_distance[segment]) * fraction;
    passage.time = m_time[segment] + (m_time[segment + 1] - m_time[segment]) * fraction;
    return passage;
}

VehicleState RouteTimeline::At(size_t segment, double fraction) const
{
    const RoutePassage passage = PassageOf({segment, fraction});
    VehicleState state;
    state.position = passage.position;
    state.distance = passage.distance;
    state.time = passage.time;
    const double seconds = m_time[segment + 1] - m_time[segment];
    state.speed = seconds > 0.0 ? (m_distance[segment + 1] - m_distance[segment]) / seconds : 0.0;
    state.heading = HeadingOf(segment);
    // The link holding the segment: the last whose first point is at or
    // before the segment's start.
    state.link =
        static_cast<size_t>(std::upper_bound(m_linkFirst.begin(), m_linkFirst.end(), segment) -
                            m_linkFirst.begin() - 1);
    state.segment = segment - m_linkFirst[state.link];
    state.offset = state.distance - m_distance[m_linkFirst[state.link]];
    return state;
}

VehicleState RouteTimeline::AtTime(double seconds) const
{
    const double t = Clamp(seconds, Duration());
    const size_t last = m_points.size() - 2;
    // The last point reached by `t`: the segment starting there.
    size_t segment =
        static_cast<size_t>(std::upper_bound(m_time.begin(), m_time.end(), t) - m_time.begin() - 1);
    segment = std::min(segment, last);
    const double span = m_time[segment + 1] - m_time[segment];
    const double fraction = span > 0.0 ? std::clamp((t - m_time[segment]) / span, 0.0, 1.0) : 1.0;
    VehicleState state = At(segment, fraction);
    state.time = t;
    return state;
}

RouteTimeline::SegmentPlace RouteTimeline::PlaceOfDistance(double metres) const
{
    const double d = Clamp(metres, Length());
    const size_t last = m_points.size() - 2;
    // The first point at or beyond `d` ends the segment: the vehicle arrives
    // there when it first reaches the distance.
    size_t end = static_cast<size_t>(std::lower_bound(m_distance.begin(), m_distance.end(), d) -
                                     m_distance.begin());
    SegmentPlace place;
    place.segment = end > 0 ? std::min(end - 1, last) : 0;
    const double span = m_distance[place.segment + 1] - m_distance[place.segment];
    place.fraction =
        span > 0.0 ? std::clamp((d - m_distance[place.segment]) / span, 0.0, 1.0) : 0.0;
    return place;
}

VehicleState RouteTimeline::AtDistance(double metres) const
{
    const SegmentPlace place = PlaceOfDistance(metres);
    return At(place.segment, place.fraction);
}

RoutePassage RouteTimeline::PassageAt(double metres) const
{
    return PassageOf(PlaceOfDistance(metres));
}

double RouteTimeline::OnRoute(double metres) const
{
    return Clamp(metres, Length());
}

void RouteTimeline::PointsBetween(double fromMetres, double toMetres,
                                  std::vector<tagLonLat>& points) const
{
    const double from = OnRoute(fromMetres);
    const double to = OnRoute(toMetres);
    if (from > to)
        return;
    points.push_back(PassageAt(from).position);
    for (size_t i = FirstPointAfter(from); i < m_points.size() && m_distance[i] < to; ++i)
        points.push_back(m_points[i]);
    points.push_back(PassageAt(to).position);
}

void RouteTimeline::RoutePointsBetween(double fromMetres, double toMetres,
                                       std::vector<tagLonLat>& points,
                                       std::vector<double>& distances) const
{
    for (size_t i = FirstPointAfter(fromMetres); i < m_points.size() && m_distance[i] < toMetres;
         ++i)
    {
        points.push_back(m_points[i]);
        distances.push_back(m_distance[i]);
    }
}

size_t RouteTimeline::FirstPointAfter(double metres) const
{
    return static_cast<size_t>(std::upper_bound(m_distance.begin(), m_distance.end(), metres) -
                               m_distance.begin());
}

void RouteTimeline::PointDistancesBetween(double fromMetres, double toMetres,
                                          std::vector<double>& distances) const
{
    for (size_t i = FirstPointAfter(fromMetres); i < m_points.size() && m_distance[i] < toMetres;
         ++i)
        distances.push_back(m_distance[i]);
}

} // namespace drive
