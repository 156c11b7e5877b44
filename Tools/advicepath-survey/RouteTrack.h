// The route's track as the survey measures drawings against it: every point
// of the route once, the metres along it at each, and where a drawn point
// lies on it.
//
// Metres along are sums of the reference geodesy's segment lengths, as the
// route model measures its links, so that a link's end here is where the
// library's lengths put it. Offsets from the track are measured in the
// ellipsoid's local east-north plane at each segment's start (good to
// millimetres over a segment).
#ifndef TOOLS_SURVEY_ROUTETRACK_H
#define TOOLS_SURVEY_ROUTETRACK_H

#include "LonLat.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace refhost
{
class RouteModel;
}

namespace survey
{

// How near the track a drawn point must lie: `metres`, plus `perMetre` for
// each metre of the track's segment there, counted up to `capMetres` (a point
// the library computes along a quarter-degree direction strays from its
// segment by the distance it was measured over times sin 0.25 degrees).
struct Nearness
{
    double metres = 0.5;
    double perMetre = 0.0;
    double capMetres = 0.0;
    double Allowed(double segmentMetres) const
    {
        return metres + perMetre * (segmentMetres < capMetres ? segmentMetres : capMetres);
    }
};

// A place on the track: metres along it, and how far the point asked about
// lies from it there.
struct TrackPlace
{
    double metres = 0.0;
    double offMetres = 0.0;
};

class RouteTrack
{
public:
    // The track of `points` (at least two; a point repeating the one before
    // is kept once), as one link.
    explicit RouteTrack(const std::vector<tagLonLat>& points);
    // The track of the route's links, each link's end noted.
    explicit RouteTrack(const refhost::RouteModel& route);

    double Length() const { return m_along.back(); }
    const std::vector<tagLonLat>& Points() const { return m_points; }
    const std::vector<double>& Along() const { return m_along; }
    // Metres along the track to the end of each link.
    const std::vector<double>& LinkEnds() const { return m_linkEnds; }
    double LinkStart(std::size_t link) const { return link == 0 ? 0.0 : m_linkEnds[link - 1]; }

    // The first place at or after `from` metres and at most `to` metres along
    // where the track passes `near` enough to `point` (the foot of the
    // perpendicular on each segment; of a run of segments near enough in a
    // row, the nearest foot), or nothing.
    std::optional<TrackPlace> FirstNear(const tagLonLat& point, double from, double to,
                                        const Nearness& near) const;
    // The place between `from` and `to` metres nearest to `point`.
    TrackPlace Nearest(const tagLonLat& point, double from, double to) const;
    // The point `metres` along (clamped to the track).
    tagLonLat At(double metres) const;
    // The bearing from the track's point at `from` to its point at `to`,
    // degrees clockwise from north; NaN when they coincide.
    double Bearing(double from, double to) const;
    // The largest distance, metres, from the straight line between `a` and
    // `b` of the track's points strictly between `from` and `to` metres
    // along: how far the track strays from a drawn segment over that stretch.
    double LargestStray(const tagLonLat& a, const tagLonLat& b, double from, double to) const;

private:
    void Measure();
    std::size_t SegmentAt(double metres) const;

    std::vector<tagLonLat> m_points;
    std::vector<double> m_along;
    std::vector<double> m_linkEnds;
};

// Metres from `point` to the segment `a`-`b`, and the fraction (0 ... 1) of
// the segment at its foot, in the local plane at `a`.
struct SegmentFoot
{
    double offMetres = 0.0;
    double fraction = 0.0;
};
SegmentFoot FootOnSegment(const tagLonLat& point, const tagLonLat& a, const tagLonLat& b);

} // namespace survey

#endif
