#include "ExitCount.h"

#include <algorithm>

namespace survey
{

namespace
{

// A track point is a node of the extract within this (Routino writes six
// decimals, the extract has seven).
constexpr double kSameNodeMetres = 0.5;
// A junction inside the roundabout lies this far from its entry and exit.
constexpr double kInsideMetres = 0.5;

bool Inside(double metres, const TurnPlace& place)
{
    return metres > place.junction + kInsideMetres && metres < place.passed - kInsideMetres;
}

// Whether the track runs on a roundabout's circle from point `i` - 1 to `i`.
bool OnCircle(const ExtractRoads& roads, const std::vector<tagLonLat>& points, std::size_t i)
{
    const std::optional<uint32_t> from = roads.NodeNear(points[i - 1], kSameNodeMetres);
    const std::optional<uint32_t> to = roads.NodeNear(points[i], kSameNodeMetres);
    if (!from || !to)
        return false;
    const std::vector<uint32_t>& segments = roads.SegmentsAt(*to);
    return std::any_of(segments.begin(), segments.end(),
                       [&](uint32_t s)
                       {
                           const RoadSegment& segment = roads.Segments()[s];
                           return segment.roundabout && ExtractRoads::Across(segment, *to) == *from;
                       });
}

// The place with its junction where the route joins the circle: a route
// that starts on the circle has no entry, and its exits count from the
// start (not the start's own).
TurnPlace FromJoining(const ExtractRoads& roads, const RouteTrack& track, TurnPlace place)
{
    const std::vector<double>& along = track.Along();
    std::size_t i = 0;
    while (i + 1 < along.size() && along[i] < place.junction - kInsideMetres)
        ++i;
    while (i > 0 && OnCircle(roads, track.Points(), i))
        --i;
    if (i == 0)
        place.junction = along.front();
    return place;
}

} // namespace

ExitCounter CountExitsOnRoads(const ExtractRoads& roads)
{
    return [&roads](const RouteTrack& track, const TurnPlace& turn,
                    const refhost::Maneuver&) -> std::optional<int>
    {
        const TurnPlace place = FromJoining(roads, track, turn);
        const std::vector<tagLonLat>& points = track.Points();
        int exits = 0;
        for (std::size_t i = 1; i + 1 < points.size(); ++i)
        {
            if (!Inside(track.Along()[i], place))
                continue;
            const std::optional<uint32_t> node = roads.NodeNear(points[i], kSameNodeMetres);
            if (!node)
                return std::nullopt;
            const std::optional<uint32_t> before = roads.NodeNear(points[i - 1], kSameNodeMetres);
            const std::optional<uint32_t> after = roads.NodeNear(points[i + 1], kSameNodeMetres);
            for (const uint32_t s : roads.SegmentsAt(*node))
            {
                const RoadSegment& segment = roads.Segments()[s];
                const uint32_t other = ExtractRoads::Across(segment, *node);
                if (other != before && other != after && !segment.roundabout &&
                    ExtractRoads::Leaves(segment, *node))
                    ++exits;
            }
        }
        return exits;
    };
}

ExitCounter CountExitsOfJunctions()
{
    return [](const RouteTrack& track, const TurnPlace& place,
              const refhost::Maneuver& maneuver) -> std::optional<int>
    {
        if (maneuver.junctions.empty())
            return std::nullopt;
        int exits = 0;
        for (const refhost::JunctionRoads& junction : maneuver.junctions)
        {
            const TrackPlace at = track.Nearest(junction.location, place.junction, place.passed);
            if (at.offMetres > kSameNodeMetres || !Inside(at.metres, place))
                continue;
            if (junction.otherMayLeave.size() != junction.otherBearings.size())
                return std::nullopt; // the file does not say which roads lead out
            const auto& out = junction.otherMayLeave;
            exits += std::find(out.begin(), out.end(), true) != out.end() ? 1 : 0;
        }
        return exits;
    };
}

} // namespace survey
