#include "RoutinoTrack.h"

#include "Geodesy/ReferenceGeodesy.h"
#include "RouteFiles/RouteAssembly.h"
#include "RoutingFailure.h"

#include <algorithm>
#include <cmath>

namespace refhost::routing
{

namespace
{

using routefiles::Metres;

// The turn at a point is measured between the track this far before and
// after it.
constexpr double kTurnWindowMetres = 20.0;
// The all-nodes text writes durations to 0.01 min.
constexpr double kDurationStepSeconds = 0.6;
// Both outputs write coordinates with 6 decimals.
constexpr double kSamePointDegrees = 5e-7;

// Where a turn is measured to and no further: junctions, waypoints, and where
// the road changes (Routino's "Change": it tells a turn there as at a
// junction, and a turn measured across it counted twice).
bool IsJunctionType(const std::string& type)
{
    return type.rfind("Junct", 0) == 0 || type.rfind("Waypt", 0) == 0 || type == "Change";
}

std::vector<double> NodeSeconds(const std::vector<TrackNode>& nodes)
{
    std::vector<double> seconds(nodes.size(), 0.0);
    for (size_t first = 1; first < nodes.size();)
    {
        size_t last = first;
        while (last + 1 < nodes.size() && nodes[last + 1].highway == nodes[first].highway &&
               nodes[last + 1].speedKmh == nodes[first].speedKmh)
            ++last;
        double duration = 0.0;
        double length = 0.0;
        for (size_t k = first; k <= last; ++k)
        {
            duration += nodes[k].segmentSeconds;
            length += Metres(nodes[k - 1].point, nodes[k].point);
        }
        // A run written as no time was shorter than the durations' step: it
        // takes its length at the profile's speed, at most a step, so that
        // no road is crossed in no time (a drive would start past a turn a
        // few metres on).
        if (duration <= 0.0 && nodes[first].speedKmh > 0)
            duration = std::min(kDurationStepSeconds, length / (nodes[first].speedKmh / 3.6));
        double travelled = 0.0;
        for (size_t k = first; k <= last; ++k)
        {
            travelled += Metres(nodes[k - 1].point, nodes[k].point);
            const double share = length > 0.0 ? travelled / length
                                              : static_cast<double>(k - first + 1) /
                                                    static_cast<double>(last - first + 1);
            seconds[k] = seconds[first - 1] + duration * share;
        }
        first = last + 1;
    }
    return seconds;
}

} // namespace

bool SamePoint(const tagLonLat& a, const tagLonLat& b)
{
    return std::fabs(a.lon - b.lon) <= kSamePointDegrees &&
           std::fabs(a.lat - b.lat) <= kSamePointDegrees;
}

Track MakeTrack(const std::vector<TrackNode>& nodes)
{
    const std::vector<double> seconds = NodeSeconds(nodes);
    Track track;
    track.pointOfNode.resize(nodes.size());
    for (size_t k = 0; k < nodes.size(); ++k)
    {
        if (track.points.empty() || !SamePoint(track.points.back(), nodes[k].point))
        {
            track.along.push_back(track.points.empty()
                                      ? 0.0
                                      : track.along.back() +
                                            Metres(track.points.back(), nodes[k].point));
            track.points.push_back(nodes[k].point);
            track.seconds.push_back(seconds[k]);
            track.roadTo.push_back(nodes[k].highway);
            track.junction.push_back(IsJunctionType(nodes[k].type));
        }
        else
        {
            track.seconds.back() = seconds[k]; // a repeated node: the later time
            if (IsJunctionType(nodes[k].type))
                track.junction.back() = true;
        }
        track.pointOfNode[k] = track.points.size() - 1;
    }
    if (track.points.size() < 2)
        Fail("the route has fewer than two distinct points");
    return track;
}

namespace
{

// The junctions (or the ends) before and after `point`.
size_t JunctionBefore(const Track& track, size_t point)
{
    size_t before = point - 1;
    while (before > 0 && !track.junction[before])
        --before;
    return before;
}

size_t JunctionAfter(const Track& track, size_t point)
{
    size_t after = point + 1;
    while (after + 1 < track.points.size() && !track.junction[after])
        ++after;
    return after;
}

} // namespace

geodesy::WindowEnds TurnWindow(const Track& track, size_t point)
{
    return geodesy::WindowAround(track.along, point, kTurnWindowMetres,
                                 JunctionBefore(track, point), JunctionAfter(track, point));
}

std::vector<double> TurnAngles(const Track& track)
{
    return geodesy::WindowedTurnAngles(track.points, track.along, kTurnWindowMetres);
}

} // namespace refhost::routing
