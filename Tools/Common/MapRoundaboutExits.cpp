#include "MapRoundaboutExits.h"

#include "RouteModelInput.h"

#include "Geodesy/ReferenceGeodesy.h"
#include "RouteFiles/GuidanceRules.h"
#include "RouteFiles/TurnText.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace tools
{

namespace
{

// A vertex of a road: the road's id and the point's index in its line.
struct Vertex
{
    uint32_t road = 0;
    uint32_t index = 0;
};

// The map has no node ids: a road meeting another shares its vertex, so their
// coordinates are equal to the bit.
bool SamePoint(const tagLonLat& a, const tagLonLat& b)
{
    return !(a.lon < b.lon || b.lon < a.lon || a.lat < b.lat || b.lat < a.lat);
}

class CircleWalker
{
public:
    explicit CircleWalker(const roadmap::RoadMap& map) : m_map(map) {}

    // Whether a roundabout road passes within kCircleMatchMetres of `point`.
    bool OnCircle(const tagLonLat& point)
    {
        Near(point, kCircleMatchMetres);
        return std::any_of(m_ids.begin(), m_ids.end(),
                           [&](uint32_t id)
                           {
                               const roadmap::Road& road = m_map.Roads()[id];
                               return road.isRoundabout &&
                                      roadmap::LineTouches(m_map.PointsOf(road.line),
                                                           road.line.count, m_box);
                           });
    }

    // The roundabout vertex nearest `point` within kCircleMatchMetres.
    bool NearestCircleVertex(const tagLonLat& point, tagLonLat& vertex)
    {
        Near(point, kCircleMatchMetres);
        double best = kCircleMatchMetres;
        bool found = false;
        for (uint32_t id : m_ids)
        {
            const roadmap::Road& road = m_map.Roads()[id];
            if (!road.isRoundabout)
                continue;
            const tagLonLat* points = m_map.PointsOf(road.line);
            for (uint32_t i = 0; i < road.line.count; ++i)
            {
                const double metres = refhost::geodesy::SegmentLength(point.lon, point.lat,
                                                                      points[i].lon, points[i].lat);
                if (metres <= best)
                {
                    best = metres;
                    vertex = points[i];
                    found = true;
                }
            }
        }
        return found;
    }

    // The circle's next vertex after `at` in its driving direction.
    bool NextOnCircle(const tagLonLat& at, tagLonLat& next)
    {
        for (const Vertex& v : VerticesAt(at))
        {
            const roadmap::Road& road = m_map.Roads()[v.road];
            if (!road.isRoundabout)
                continue;
            const tagLonLat* points = m_map.PointsOf(road.line);
            if (v.index + 1 < road.line.count && roadmap::MayDrive(road.oneway, true))
            {
                next = points[v.index + 1];
                return true;
            }
            if (v.index > 0 && roadmap::MayDrive(road.oneway, false) &&
                road.oneway != roadmap::Oneway::Both)
            {
                next = points[v.index - 1];
                return true;
            }
        }
        return false;
    }

    // Whether a road off the circle leaves `at` in a direction a car may drive.
    bool HasExit(const tagLonLat& at)
    {
        const std::vector<Vertex>& vertices = VerticesAt(at);
        return std::any_of(
            vertices.begin(), vertices.end(),
            [&](const Vertex& v)
            {
                const roadmap::Road& road = m_map.Roads()[v.road];
                return !road.isRoundabout &&
                       ((v.index + 1 < road.line.count && roadmap::MayDrive(road.oneway, true)) ||
                        (v.index > 0 && roadmap::MayDrive(road.oneway, false)));
            });
    }

private:
    void Near(const tagLonLat& point, double metres)
    {
        m_box = roadmap::Expanded(roadmap::BoxOf(&point, 1), metres);
        m_map.RoadsIn(m_box, m_ids);
    }

    const std::vector<Vertex>& VerticesAt(const tagLonLat& at)
    {
        m_vertices.clear();
        Near(at, 1.0);
        for (uint32_t id : m_ids)
        {
            const roadmap::PointSpan& line = m_map.Roads()[id].line;
            const tagLonLat* points = m_map.PointsOf(line);
            for (uint32_t i = 0; i < line.count; ++i)
                if (SamePoint(points[i], at))
                    m_vertices.push_back(Vertex{id, i});
        }
        return m_vertices;
    }

    const roadmap::RoadMap& m_map;
    roadmap::LonLatBox m_box;
    std::vector<uint32_t> m_ids;
    std::vector<Vertex> m_vertices;
};

// The route's points from `first` on, in driving order, one per link joint.
std::vector<tagLonLat> PointsFrom(const refhost::RouteDescription& route, size_t first)
{
    std::vector<tagLonLat> points;
    for (size_t link = first; link < route.links.size(); ++link)
    {
        const std::vector<tagLonLat>& linkPoints = route.links[link].points;
        points.insert(points.end(), linkPoints.begin() + (points.empty() ? 0 : 1),
                      linkPoints.end());
    }
    return points;
}

// The exit number on the map of the roundabout that the route enters at the
// end of link `enterLink` and that it leaves by the end of link `exitLink`
// at the latest; 0 when the map does not hold the circle there.
int MapExitNumber(CircleWalker& walker, const refhost::RouteDescription& route, size_t enterLink,
                  size_t exitLink)
{
    if (enterLink >= route.links.size() || route.links[enterLink].points.empty())
        return 0;
    // From the junction on: the first point on the circle is the entry, the
    // last before the route leaves it the exit.
    const std::vector<tagLonLat> points = PointsFrom(route, enterLink);
    size_t searchEnd = route.links[enterLink].points.size();
    for (size_t link = enterLink + 1; link <= exitLink && link < route.links.size(); ++link)
        searchEnd += route.links[link].points.size() - 1;
    size_t entry = route.links[enterLink].points.size() - 1;
    while (entry < searchEnd && !walker.OnCircle(points[entry]))
        ++entry;
    if (entry >= searchEnd)
        return 0;
    size_t exit = entry;
    while (exit + 1 < points.size() && walker.OnCircle(points[exit + 1]))
        ++exit;
    if (exit == entry)
        return 0; // the route only touches the circle

    tagLonLat from = AP_INVALID_POINT;
    tagLonLat to = AP_INVALID_POINT;
    if (!walker.NearestCircleVertex(points[entry], from) ||
        !walker.NearestCircleVertex(points[exit], to))
        return 0;
    // A ring of more vertices than this is not a roundabout the walk found
    // its way round.
    constexpr int kMostVertices = 1000;
    int exits = 0;
    tagLonLat at = from;
    for (int step = 0; step < kMostVertices; ++step)
    {
        if (!walker.NextOnCircle(at, at))
            return 0;
        if (SamePoint(at, to))
            return exits + 1;
        if (SamePoint(at, from))
            return 0;
        if (walker.HasExit(at))
            ++exits;
    }
    return 0;
}

} // namespace

size_t CountMapRoundaboutExits(const roadmap::RoadMap& map, refhost::RouteDescription& route)
{
    CircleWalker walker(map);
    size_t changed = 0;
    for (refhost::Maneuver& maneuver : route.maneuvers)
    {
        if (maneuver.kind != refhost::ManeuverKind::Roundabout)
            continue;
        const int exit = MapExitNumber(walker, route, maneuver.enterLink, maneuver.exitLink);
        if (exit == 0 || exit == maneuver.roundaboutExit)
            continue;
        maneuver.roundaboutExit = exit;
        maneuver.instruction = refhost::routefiles::RoundaboutPhrase(refhost::CircleOf(maneuver),
                                                                     exit, maneuver.toName);
        refhost::ForgetFileWords(maneuver);
        ++changed;
    }
    return changed;
}

bool CountExitsOnMap(const roadmap::RoadMap& map, const RouteSource& source,
                     refhost::RouteDescription& route, std::optional<refhost::RouteModel>& model,
                     std::string& message)
{
    if (source.routeFile.empty() || CountMapRoundaboutExits(map, route) == 0)
        return true;
    return ModelOfRoute(route, source.routeFile, model, message);
}

} // namespace tools
