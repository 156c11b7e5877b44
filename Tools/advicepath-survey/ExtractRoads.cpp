#include "ExtractRoads.h"

#include "Geodesy/ReferenceGeodesy.h"
#include "RoadMap/OnewayRule.h"

#include <osmium/handler.hpp>
#include <osmium/handler/node_locations_for_ways.hpp>
#include <osmium/index/map/flex_mem.hpp>
#include <osmium/io/any_input.hpp>
#include <osmium/osm/way.hpp>
#include <osmium/visitor.hpp>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <exception>
#include <set>
#include <string_view>

namespace survey
{

namespace
{

// Cells of the node index, degrees: well above any search radius asked.
constexpr double kCellDegrees = 0.001;

bool IsOneOf(const char* value, std::initializer_list<const char*> values)
{
    return value != nullptr && std::any_of(values.begin(), values.end(),
                                           [value](const char* candidate)
                                           { return std::strcmp(value, candidate) == 0; });
}

std::string_view TagValue(const osmium::TagList& tags, const char* key)
{
    const char* value = tags[key];
    return value != nullptr ? std::string_view(value) : std::string_view();
}

bool CarRoad(const osmium::TagList& tags)
{
    if (!IsOneOf(tags["highway"],
                 {"motorway",     "motorway_link", "trunk",          "trunk_link",  "primary",
                  "primary_link", "secondary",     "secondary_link", "tertiary",    "tertiary_link",
                  "unclassified", "road",          "minor",          "residential", "living_street",
                  "service",      "access",        "services",       "rest_area",   "layby"}))
        return false;
    for (const char* key : {"motorcar", "motor_vehicle", "access"})
    {
        const char* value = tags[key];
        if (IsOneOf(value, {"no", "private"}))
            return false;
        if (value != nullptr)
            return true; // the most specific answer given decides
    }
    return true;
}

class RoadCollector : public osmium::handler::Handler
{
public:
    explicit RoadCollector(std::vector<tagLonLat>& points, std::vector<RoadSegment>& segments)
        : m_points(points), m_segments(segments)
    {
    }

    void way(const osmium::Way& way)
    {
        const osmium::TagList& tags = way.tags();
        if (!CarRoad(tags))
            return;
        const char* highway = tags["highway"];
        const std::string_view junction = TagValue(tags, "junction");
        const roadmap::Oneway oneway =
            roadmap::OnewayOf(highway, TagValue(tags, "oneway"), junction);
        const bool forward = roadmap::MayDrive(oneway, true);
        const bool backward = roadmap::MayDrive(oneway, false);
        const bool roundabout = roadmap::IsRoundaboutJunction(junction);
        const bool ramp = IsOneOf(highway, {"motorway_link", "trunk_link"});
        uint32_t previous = 0;
        bool first = true;
        for (const osmium::NodeRef& ref : way.nodes())
        {
            if (!ref.location().valid())
            {
                first = true; // a node the extract lacks breaks the way
                continue;
            }
            const uint32_t node = NodeOf(ref);
            if (!first && node != previous)
                m_segments.push_back({previous, node, forward, backward, roundabout, ramp});
            previous = node;
            first = false;
        }
    }

private:
    uint32_t NodeOf(const osmium::NodeRef& ref)
    {
        const auto found = m_nodes.find(ref.ref());
        if (found != m_nodes.end())
            return found->second;
        const auto index = static_cast<uint32_t>(m_points.size());
        m_points.push_back({ref.location().lon(), ref.location().lat()});
        m_nodes.emplace(ref.ref(), index);
        return index;
    }

    std::vector<tagLonLat>& m_points;
    std::vector<RoadSegment>& m_segments;
    std::unordered_map<osmium::object_id_type, uint32_t> m_nodes;
};

} // namespace

bool ExtractRoads::Read(const std::string& path, ExtractRoads& roads, std::string& error) noexcept
{
    roads = ExtractRoads();
    try
    {
        using Index =
            osmium::index::map::FlexMem<osmium::unsigned_object_id_type, osmium::Location>;
        Index index;
        osmium::handler::NodeLocationsForWays<Index> locations(index);
        locations.ignore_errors();
        RoadCollector collector(roads.m_points, roads.m_segments);
        osmium::io::Reader reader(path,
                                  osmium::osm_entity_bits::node | osmium::osm_entity_bits::way);
        osmium::apply(reader, locations, collector);
        reader.close();
    }
    catch (const std::exception& e)
    {
        roads = ExtractRoads();
        error = path + ": " + e.what();
        return false;
    }
    if (roads.m_segments.empty())
    {
        error = path + ": no road a car may use";
        return false;
    }
    roads.Index();
    return true;
}

void ExtractRoads::Index()
{
    m_atNode.assign(m_points.size(), {});
    for (std::size_t s = 0; s < m_segments.size(); ++s)
    {
        m_atNode[m_segments[s].from].push_back(static_cast<uint32_t>(s));
        m_atNode[m_segments[s].to].push_back(static_cast<uint32_t>(s));
    }
    for (std::size_t node = 0; node < m_points.size(); ++node)
        m_cells[CellOf(m_points[node])].push_back(static_cast<uint32_t>(node));
}

int64_t ExtractRoads::CellOf(const tagLonLat& point)
{
    const auto row = static_cast<int64_t>(std::floor(point.lat / kCellDegrees));
    const auto column = static_cast<int64_t>(std::floor(point.lon / kCellDegrees));
    return row * 1000000 + column;
}

std::optional<uint32_t> ExtractRoads::NodeNear(const tagLonLat& point, double metres) const
{
    std::optional<uint32_t> nearest;
    double best = metres;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
        {
            const tagLonLat probe = {point.lon + dx * kCellDegrees, point.lat + dy * kCellDegrees};
            const auto cell = m_cells.find(CellOf(probe));
            if (cell == m_cells.end())
                continue;
            for (const uint32_t node : cell->second)
            {
                const tagLonLat& at = m_points[node];
                const double apart =
                    refhost::geodesy::SegmentLength(point.lon, point.lat, at.lon, at.lat);
                if (apart <= best)
                {
                    best = apart;
                    nearest = node;
                }
            }
        }
    return nearest;
}

} // namespace survey
