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

} // namespace

ExitCounter CountExitsOnRoads(const ExtractRoads& roads)
{
    return [&roads](const RouteTrack& track, const TurnPlace& place,
                    const refhost::Maneuver&) -> std::optional<int>
    {
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
