#include "RoadNetworkPart.h"

#include "Geodesy/ReferenceGeodesy.h"
#include "RoadMap/OnewayRule.h"
#include "RouteFiles/RouteAssembly.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>
#include <unordered_map>

namespace refhost::routing
{

using routefiles::ApproxMetres;

namespace
{

// The dump states the direction the database gave each segment by the
// one-way rule: a segment without a oneway tag goes both ways.
roadmap::Oneway DumpedDirection(std::string_view highway, std::string_view oneway, bool roundabout)
{
    return roadmap::OnewayOf(highway, oneway.empty() ? "no" : oneway,
                             roundabout ? "roundabout" : "");
}

} // namespace

RoadNetworkPart RoadNetworkPart::FromDump(std::string_view xml, std::string_view junctionCounts)
{
    RoadNetworkPart part;
    pugi::xml_document document;
    if (!document.load_buffer(xml.data(), xml.size()))
        return part;
    std::unordered_map<std::string, size_t> nodeIndex;
    const pugi::xml_node osm = document.child("osm");
    for (const pugi::xml_node node : osm.children("node"))
    {
        Node entry;
        entry.point.lat = node.attribute("lat").as_double();
        entry.point.lon = node.attribute("lon").as_double();
        nodeIndex.emplace(node.attribute("id").value(), part.m_nodes.size());
        part.m_nodes.push_back(entry);
    }
    for (const pugi::xml_node way : osm.children("way"))
    {
        std::vector<size_t> ends;
        for (const pugi::xml_node nd : way.children("nd"))
        {
            const auto found = nodeIndex.find(nd.attribute("ref").value());
            if (found != nodeIndex.end())
                ends.push_back(found->second);
        }
        if (ends.size() != 2 || ends[0] == ends[1])
            continue;
        Road road;
        std::string_view oneway;
        for (const pugi::xml_node tag : way.children("tag"))
        {
            const std::string_view key = tag.attribute("k").value();
            const char* value = tag.attribute("v").value();
            const bool yes = std::string_view(value) == "yes";
            if (key == "highway")
                road.highway = value;
            else if (key == "name")
                road.name = value;
            else if (key == "motorcar")
                road.car = yes;
            else if (key == "oneway")
                oneway = value;
            else if (key == "roundabout")
                road.roundabout = yes;
        }
        road.oneway = DumpedDirection(road.highway, oneway, road.roundabout);
        const size_t segment = part.m_segments.size();
        part.m_segments.push_back({ends[0], ends[1], part.m_roads.size()});
        part.m_roads.push_back(std::move(road));
        part.m_nodes[ends[0]].segments.push_back(segment);
        part.m_nodes[ends[1]].segments.push_back(segment);
    }
    // The counts name the router's node numbers, one less than the dump's:
    // nodes are matched by place, as everywhere here.
    std::istringstream counts{std::string(junctionCounts)};
    std::string name;
    tagLonLat point{};
    size_t count = 0;
    while (counts >> name >> point.lat >> point.lon >> count)
    {
        const size_t node = part.NodeNear(point, 0.5);
        if (node != part.m_nodes.size())
            part.m_nodes[node].counted = count;
    }
    return part;
}

size_t RoadNetworkPart::NodeNear(const tagLonLat& point, double toleranceMetres) const
{
    size_t nearest = m_nodes.size();
    double nearestMetres = toleranceMetres;
    for (size_t i = 0; i < m_nodes.size(); ++i)
    {
        const double metres = ApproxMetres(point, m_nodes[i].point);
        if (metres <= nearestMetres)
        {
            nearest = i;
            nearestMetres = metres;
        }
    }
    return nearest;
}

bool RoadNetworkPart::CompleteAt(const tagLonLat& junction, double toleranceMetres) const
{
    const size_t node = NodeNear(junction, toleranceMetres);
    return node == m_nodes.size() || m_nodes[node].segments.size() >= m_nodes[node].counted;
}

bool RoadNetworkPart::IsNeighbour(size_t junction, size_t node) const
{
    const std::vector<size_t>& segments = m_nodes[junction].segments;
    return std::any_of(segments.begin(), segments.end(),
                       [this, node](size_t segment) {
                           return m_segments[segment].from == node ||
                                  m_segments[segment].to == node;
                       });
}

tagLonLat RoadNetworkPart::FarPoint(size_t junction, size_t segment) const
{
    // Along the road while it goes on without a junction (a node of two
    // segments) and is shorter than the measuring length.
    // It stops before a node that is itself a neighbour of the junction (a
    // short piece of roundabout that bends back to the next road in).
    size_t at = junction;
    double metres = 0.0;
    for (size_t steps = 0; steps < m_segments.size(); ++steps)
    {
        const Segment& step = m_segments[segment];
        const size_t next = step.from == at ? step.to : step.from;
        if (steps > 0 && IsNeighbour(junction, next))
            break;
        metres += ApproxMetres(m_nodes[at].point, m_nodes[next].point);
        at = next;
        const std::vector<size_t>& onward = m_nodes[at].segments;
        if (metres >= kRoadBearingMetres || onward.size() != 2 || at == junction)
            break;
        segment = onward[0] == segment ? onward[1] : onward[0];
    }
    return m_nodes[at].point;
}

std::vector<JunctionRoad> RoadNetworkPart::RoadsAt(const tagLonLat& junction,
                                                   double toleranceMetres) const
{
    const size_t nearest = NodeNear(junction, toleranceMetres);
    std::vector<JunctionRoad> roads;
    if (nearest == m_nodes.size())
        return roads;
    const tagLonLat& here = m_nodes[nearest].point;
    for (const size_t segment : m_nodes[nearest].segments)
    {
        const Segment& step = m_segments[segment];
        const Road& road = m_roads[m_segments[segment].road];
        const double bearing = geodesy::Bearing(here, FarPoint(nearest, segment));
        if (std::isnan(bearing))
            continue; // a road of no length has no direction
        JunctionRoad out;
        out.next = m_nodes[step.from == nearest ? step.to : step.from].point;
        out.bearing = bearing;
        out.highway = road.highway;
        out.name = road.name;
        out.car = road.car;
        out.carMayLeave = road.car && roadmap::MayDrive(road.oneway, step.from == nearest);
        out.roundabout = road.roundabout;
        roads.push_back(std::move(out));
    }
    return roads;
}

bool RoadNetworkPart::OnOneWayRing(size_t segment, size_t at, const Road* like) const
{
    const Segment& step = m_segments[segment];
    const Road& road = m_roads[step.road];
    return road.oneway != roadmap::Oneway::Both &&
           roadmap::MayDrive(road.oneway, step.from == at) && road.car && !road.roundabout &&
           (like == nullptr || (road.highway == like->highway && road.name == like->name));
}

size_t RoadNetworkPart::RingStep(size_t at, size_t previous, const Road& like) const
{
    size_t next = m_segments.size();
    for (const size_t segment : m_nodes[at].segments)
    {
        if (segment == previous || !OnOneWayRing(segment, at, &like))
            continue;
        if (next != m_segments.size())
            return m_segments.size(); // the ring's road forks: no ring
        next = segment;
    }
    return next;
}

std::vector<tagLonLat> RoadNetworkPart::OneWayRingFrom(const tagLonLat& from, const tagLonLat& to,
                                                       double maxMetres) const
{
    const size_t start = NodeNear(from, 0.5);
    const size_t second = NodeNear(to, 0.5);
    if (start == m_nodes.size() || second == m_nodes.size())
        return {};
    size_t previous = m_segments.size();
    for (const size_t segment : m_nodes[start].segments)
        if (Across(segment, start) == second && OnOneWayRing(segment, start, nullptr))
            previous = segment;
    if (previous == m_segments.size())
        return {};
    const Road& like = m_roads[m_segments[previous].road];
    std::vector<tagLonLat> ring = {m_nodes[second].point};
    double metres = ApproxMetres(m_nodes[start].point, m_nodes[second].point);
    for (size_t at = second; at != start;)
    {
        const size_t next = RingStep(at, previous, like);
        if (next == m_segments.size())
            return {};
        const size_t onward = Across(next, at);
        metres += ApproxMetres(m_nodes[at].point, m_nodes[onward].point);
        if (metres > maxMetres || ring.size() > m_segments.size())
            return {};
        ring.push_back(m_nodes[onward].point);
        at = onward;
        previous = next;
    }
    const bool round =
        std::all_of(ring.begin(), ring.end(),
                    [&ring, metres](const tagLonLat& a)
                    {
                        return std::all_of(ring.begin(), ring.end(),
                                           [&a, metres](const tagLonLat& b)
                                           { return ApproxMetres(a, b) <= 0.4 * metres; });
                    });
    return round && ring.size() >= 4 ? ring : std::vector<tagLonLat>();
}

} // namespace refhost::routing
