#include "GuidedRoute.h"

#include "Geodesy/Angles.h"

#include "RouteAssembly.h"
#include "RouteFileError.h"
#include "TrackPlacement.h"
#include "TurnClass.h"
#include "TurnText.h"
#include "TurnWindow.h"

#include <cctype>

namespace refhost::routefiles
{

namespace
{

// A place this near a vertex of the line is that vertex.
constexpr double kSameVertexMetres = 1.0;

// The line with the points that placing adds, and the vertex of each
// instruction point.
struct PlacedLine
{
    std::vector<tagLonLat> points;
    std::vector<double> times; // empty, or one per point
    std::vector<size_t> vertexOf;
};

class LineWriter
{
public:
    LineWriter(PlacedLine& placed, bool timed) : m_placed(placed), m_timed(timed) {}

    // Appends `point` unless it repeats the last one; its vertex either way.
    size_t Add(const tagLonLat& point, double time)
    {
        std::vector<tagLonLat>& points = m_placed.points;
        if (points.empty() || points.back().lon != point.lon || points.back().lat != point.lat)
        {
            points.push_back(point);
            if (m_timed)
                m_placed.times.push_back(time);
        }
        return points.size() - 1;
    }

private:
    PlacedLine& m_placed;
    bool m_timed;
};

PlacedLine PlaceOnLine(const std::vector<tagLonLat>& line, const std::vector<double>& times,
                       const std::vector<InstructionPoint>& points)
{
    std::vector<tagLonLat> where;
    where.reserve(points.size());
    for (const InstructionPoint& point : points)
        where.push_back(point.point);
    const std::vector<TrackPosition> positions =
        PlaceAlongTrack(line, where, kCornerMetres, kSnapMetres);

    PlacedLine placed;
    placed.vertexOf.assign(points.size(), 0);
    LineWriter writer(placed, !times.empty());
    std::vector<size_t> atNextVertex; // instruction points placed at the end of a segment
    size_t next = 0;
    for (size_t i = 0; i < line.size(); ++i)
    {
        const size_t vertex = writer.Add(line[i], times.empty() ? 0.0 : times[i]);
        for (const size_t k : atNextVertex)
            placed.vertexOf[k] = vertex;
        atNextVertex.clear();
        if (i + 1 == line.size())
            break;
        const double length = ApproxMetres(line[i], line[i + 1]);
        for (; next < points.size() && positions[next].segment == i; ++next)
        {
            const TrackPosition& at = positions[next];
            if (at.fraction * length <= kSameVertexMetres)
            {
                placed.vertexOf[next] = vertex;
                continue;
            }
            if ((1.0 - at.fraction) * length <= kSameVertexMetres)
            {
                atNextVertex.push_back(next);
                continue;
            }
            // A point off a coarse track that cuts the corner keeps its place.
            const bool corner = at.metresOff > kSnapMetres && at.metresOff <= kCornerMetres;
            const tagLonLat point =
                corner ? points[next].point : PointBetween(line[i], line[i + 1], at.fraction);
            const double time =
                times.empty() ? 0.0 : times[i] + at.fraction * (times[i + 1] - times[i]);
            placed.vertexOf[next] = writer.Add(point, time);
        }
    }
    return placed;
}

struct Stop
{
    size_t vertex = 0;
    const std::string* instruction = nullptr;
};

} // namespace

std::string RoadNamedIn(const std::string& instruction)
{
    std::string lower = instruction;
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const size_t onto = lower.rfind(" onto ");
    if (onto == std::string::npos)
        return {};
    std::string road = instruction.substr(onto + 6);
    while (!road.empty() && (road.back() == '.' || road.back() == ' '))
        road.pop_back();
    while (!road.empty() && road.front() == ' ')
        road.erase(road.begin());
    return road;
}

RouteDescription BuildGuidedRoute(const std::vector<tagLonLat>& line, std::vector<double> times,
                                  const std::vector<InstructionPoint>& points,
                                  const RouteReadOptions& options)
{
    if (line.size() < 2)
        Fail("a route needs at least two distinct points, found " + std::to_string(line.size()));
    if (times.size() != line.size())
        times.clear();
    const PlacedLine placed = PlaceOnLine(line, times, points);
    const std::vector<tagLonLat>& geometry = placed.points;
    const size_t last = geometry.size() - 1;
    std::vector<double> along(geometry.size(), 0.0);
    for (size_t i = 1; i < geometry.size(); ++i)
        along[i] = along[i - 1] + Metres(geometry[i - 1], geometry[i]);

    std::string road; // the road driven on
    std::string arrivalInstruction;
    std::vector<Stop> stops;
    for (size_t k = 0; k < points.size(); ++k)
    {
        const std::string& instruction = points[k].instruction;
        const size_t vertex = placed.vertexOf[k];
        if (instruction.empty())
            continue;
        if (k == 0 || vertex == 0)
            road = RoadNamedIn(instruction);
        else if (k + 1 == points.size() || vertex == last)
            arrivalInstruction = instruction;
        else
            stops.push_back({vertex, &instruction});
    }

    RouteDescription route;
    size_t start = 0;
    auto addLink = [&](size_t end)
    {
        RoadLink link;
        link.name = road;
        link.points.assign(geometry.begin() + static_cast<std::ptrdiff_t>(start),
                           geometry.begin() + static_cast<std::ptrdiff_t>(end) + 1);
        if (!placed.times.empty())
            link.times.assign(placed.times.begin() + static_cast<std::ptrdiff_t>(start),
                              placed.times.begin() + static_cast<std::ptrdiff_t>(end) + 1);
        route.links.push_back(std::move(link));
        start = end;
    };
    size_t before = 0; // the vertex of the manoeuvre before, or the start
    for (size_t s = 0; s < stops.size();)
    {
        const size_t vertex = stops[s].vertex;
        addLink(vertex);
        size_t after = s;
        while (after < stops.size() && stops[after].vertex == vertex)
            ++after;
        // The turn here, never measured across the manoeuvres either side.
        const double angle =
            geodesy::WindowedTurnAngle(geometry, along, vertex, TurnWindowMetres(options), before,
                                       after < stops.size() ? stops[after].vertex : last);
        before = vertex;
        for (; s < after; ++s)
        {
            Maneuver maneuver;
            maneuver.enterLink = maneuver.exitLink = route.links.size() - 1;
            maneuver.type = ClassifyTurnAngle(angle);
            maneuver.fromName = road;
            road = RoadNamedIn(*stops[s].instruction);
            maneuver.toName = road;
            maneuver.fileInstruction = *stops[s].instruction;
            maneuver.instruction = TurnPhrase(maneuver.type) + Onto(road);
            maneuver.location = geometry[vertex];
            maneuver.distanceFromStart = along[vertex];
            route.maneuvers.push_back(std::move(maneuver));
        }
    }
    addLink(last);

    AddArrival(route, geometry.back(), along.back(), road);
    route.maneuvers.back().fileInstruction = arrivalInstruction;
    FinishRoute(route);
    return route;
}

} // namespace refhost::routefiles
