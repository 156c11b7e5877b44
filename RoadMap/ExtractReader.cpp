#include "ExtractReader.h"

#include "FeatureTags.h"
#include "NodeLocations.h"
#include "RingAssembly.h"

#include <osmium/handler.hpp>
#include <osmium/io/any_input.hpp>
#include <osmium/visitor.hpp>

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <exception>
#include <utility>

namespace roadmap
{

namespace
{

using NodeId = osmium::object_id_type;

// A run of node ids in the table of kept ways' nodes.
struct RefSpan
{
    std::size_t first = 0;
    std::size_t count = 0;
};

struct KeptWay
{
    WayFeature feature;
    RefSpan refs;
};

struct MemberWay
{
    NodeId wayId = 0;
    RefSpan refs;
};

struct WaterRelation
{
    std::vector<NodeId> wayIds;
};

// What the passes gather.
struct Gathered
{
    NodeLocations locations;              // passes 1 and 3
    std::vector<WaterRelation> relations; // pass 1
    std::vector<NodeId> memberWayIds;     // pass 1, sorted
    std::vector<NodeId> refs;             // pass 2: the nodes of every kept way
    std::vector<KeptWay> ways;            // pass 2
    std::vector<MemberWay> members;       // pass 2, in way id order
    std::vector<NodeId> missing;          // pass 2: nodes beyond reach, sorted
};

tagLonLat PointOf(const osmium::Location& location)
{
    return tagLonLat{location.lon_without_check(), location.lat_without_check()};
}

bool IsClosed(const osmium::WayNodeList& nodes)
{
    return nodes.size() >= 4 && nodes.front().ref() == nodes.back().ref();
}

// Pass 1: node locations within reach, and the water multipolygons.
class NearNodesAndWaterRelations : public osmium::handler::Handler
{
public:
    NearNodesAndWaterRelations(const LonLatBox& reach, Gathered& gathered)
        : m_reach(reach), m_gathered(gathered)
    {
    }

    void node(const osmium::Node& node)
    {
        const osmium::Location location = node.location();
        if (location.valid() && m_reach.Contains(PointOf(location)))
            m_gathered.locations.Add(node.id(), location);
    }

    void relation(const osmium::Relation& relation)
    {
        if (!IsWaterRelation(relation.tags()))
            return;
        WaterRelation water;
        for (const osmium::RelationMember& member : relation.members())
        {
            const std::string_view role = member.role();
            if (member.type() == osmium::item_type::way &&
                (role == "outer" || role == "inner" || role.empty()))
                water.wayIds.push_back(member.ref());
        }
        if (water.wayIds.empty())
            return;
        m_gathered.memberWayIds.insert(m_gathered.memberWayIds.end(), water.wayIds.begin(),
                                       water.wayIds.end());
        m_gathered.relations.push_back(std::move(water));
    }

private:
    LonLatBox m_reach;
    Gathered& m_gathered;
};

// Pass 2: the ways of the map with a node within reach, and the members of
// the water multipolygons wherever they are.
class MapWays : public osmium::handler::Handler
{
public:
    explicit MapWays(Gathered& gathered) : m_gathered(gathered) {}

    void way(const osmium::Way& way)
    {
        WayFeature feature = FeatureOfWay(way.tags());
        const osmium::WayNodeList& nodes = way.nodes();
        if ((feature.kind == WayKind::WaterArea || feature.kind == WayKind::Building) &&
            !IsClosed(nodes))
            feature.kind = WayKind::None;
        const bool isMember = std::binary_search(m_gathered.memberWayIds.begin(),
                                                 m_gathered.memberWayIds.end(), way.id());
        const bool nearBox = feature.kind != WayKind::None &&
                             std::any_of(nodes.begin(), nodes.end(),
                                         [this](const osmium::NodeRef& node)
                                         { return m_gathered.locations.Contains(node.ref()); });
        if (!nearBox && !isMember)
            return;

        RefSpan refs{m_gathered.refs.size(), nodes.size()};
        for (const osmium::NodeRef& node : nodes)
        {
            m_gathered.refs.push_back(node.ref());
            if (!m_gathered.locations.Contains(node.ref()))
                m_gathered.missing.push_back(node.ref());
        }
        if (nearBox)
            m_gathered.ways.push_back({std::move(feature), refs});
        if (isMember)
            m_gathered.members.push_back({way.id(), refs});
    }

private:
    Gathered& m_gathered;
};

// Pass 3: the locations of the kept ways' nodes beyond reach.
class MissingNodes : public osmium::handler::Handler
{
public:
    MissingNodes(const std::vector<NodeId>& missing, NodeLocations& found)
        : m_missing(missing), m_found(found)
    {
    }

    void node(const osmium::Node& node)
    {
        if (node.location().valid() &&
            std::binary_search(m_missing.begin(), m_missing.end(), node.id()))
            m_found.Add(node.id(), node.location());
    }

private:
    const std::vector<NodeId>& m_missing;
    NodeLocations& m_found;
};

template <typename Handler>
void ReadPass(const osmium::io::File& file, osmium::osm_entity_bits::type entities,
              Handler& handler)
{
    osmium::io::Reader reader(file, entities, osmium::io::read_meta::no);
    osmium::apply(reader, handler);
    reader.close(); // reports what the destructor would swallow
}

void SortUnique(std::vector<NodeId>& ids)
{
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
}

void Gather(const osmium::io::File& file, const LonLatBox& box, Gathered& gathered)
{
    NearNodesAndWaterRelations near(Expanded(box, kReachMetres), gathered);
    ReadPass(file, osmium::osm_entity_bits::node | osmium::osm_entity_bits::relation, near);
    gathered.locations.Sort();
    SortUnique(gathered.memberWayIds);

    MapWays ways(gathered);
    ReadPass(file, osmium::osm_entity_bits::way, ways);
    SortUnique(gathered.missing);
    std::sort(gathered.members.begin(), gathered.members.end(),
              [](const MemberWay& a, const MemberWay& b) { return a.wayId < b.wayId; });

    if (gathered.missing.empty())
        return;
    NodeLocations beyondReach;
    MissingNodes missing(gathered.missing, beyondReach);
    ReadPass(file, osmium::osm_entity_bits::node, missing);
    beyondReach.Sort();
    gathered.locations.Merge(beyondReach);
    gathered.missing = std::vector<NodeId>();
}

// The located points of `count` node ids; nodes the extract lacks are left out.
std::vector<tagLonLat> PointsOf(const NodeLocations& locations, const NodeId* ids,
                                std::size_t count)
{
    std::vector<tagLonLat> points;
    points.reserve(count);
    tagLonLat point{};
    for (std::size_t i = 0; i < count; ++i)
        if (locations.Find(ids[i], point))
            points.push_back(point);
    return points;
}

void AddWay(const Gathered& gathered, const KeptWay& way, const LonLatBox& box, RoadMap& map)
{
    std::vector<tagLonLat> points =
        PointsOf(gathered.locations, gathered.refs.data() + way.refs.first, way.refs.count);
    switch (way.feature.kind)
    {
    case WayKind::Road:
        if (LineTouches(points.data(), points.size(), box))
            map.AddRoad(way.feature.road, points);
        return;
    case WayKind::Waterway:
        if (LineTouches(points.data(), points.size(), box))
            map.AddWaterway(way.feature.waterway, points);
        return;
    case WayKind::WaterArea:
    case WayKind::Building:
    {
        if (!points.empty())
            points.pop_back(); // the closing node again
        const std::vector<std::vector<tagLonLat>> rings{std::move(points)};
        if (!AreaTouches(rings, box))
            return;
        if (way.feature.kind == WayKind::WaterArea)
            map.AddWaterArea(rings);
        else
            map.AddBuilding(rings);
        return;
    }
    case WayKind::None:
        return;
    }
}

void AddWaterRelation(const Gathered& gathered, const WaterRelation& relation, const LonLatBox& box,
                      RoadMap& map)
{
    std::vector<NodeIds> memberNodes;
    for (NodeId wayId : relation.wayIds)
    {
        auto member = std::lower_bound(gathered.members.begin(), gathered.members.end(), wayId,
                                       [](const MemberWay& m, NodeId id) { return m.wayId < id; });
        if (member == gathered.members.end() || member->wayId != wayId)
            continue; // not in the extract
        const NodeId* first = gathered.refs.data() + member->refs.first;
        memberNodes.emplace_back(first, first + member->refs.count);
    }
    std::vector<std::vector<tagLonLat>> rings;
    for (const NodeIds& ring : AssembleRings(memberNodes))
        rings.push_back(PointsOf(gathered.locations, ring.data(), ring.size()));
    if (AreaTouches(rings, box))
        map.AddWaterArea(rings);
}

// The name osmium opens: a relative path gets "./" in front, so that no name
// is taken for standard input ("-") or a URL to download.
std::string LocalName(const std::string& path)
{
    return !path.empty() && path[0] == '/' ? path : "./" + path;
}

bool CanRead(osmium::io::file_format format)
{
    using osmium::io::file_format;
    return format == file_format::pbf || format == file_format::xml || format == file_format::o5m ||
           format == file_format::opl;
}

// `text` on one line.
std::string OneLine(std::string text)
{
    std::replace(text.begin(), text.end(), '\n', ' ');
    std::replace(text.begin(), text.end(), '\r', ' ');
    return text;
}

bool CheckFile(const std::string& path, osmium::io::File& file, std::string& error)
{
    struct stat status = {};
    if (::stat(path.c_str(), &status) != 0)
    {
        error = path + ": cannot open: " + std::strerror(errno);
        return false;
    }
    if (!S_ISREG(status.st_mode))
    {
        error = path + ": cannot read: not a file";
        return false;
    }
    file = osmium::io::File(LocalName(path));
    if (!CanRead(file.format()))
    {
        error = path + ": cannot read: not named as an OpenStreetMap extract (.osm.pbf, .osm, "
                       ".osm.gz, .osm.bz2)";
        return false;
    }
    return true;
}

} // namespace

bool ReadRoadMap(const std::string& path, const LonLatBox& box, RoadMap& map,
                 std::string& error) noexcept
{
    map = RoadMap();
    try
    {
        osmium::io::File file;
        if (!CheckFile(path, file, error))
            return false;
        Gathered gathered;
        Gather(file, box, gathered);
        for (const KeptWay& way : gathered.ways)
            AddWay(gathered, way, box, map);
        for (const WaterRelation& relation : gathered.relations)
            AddWaterRelation(gathered, relation, box, map);
        map.FinishIndex();
        return true;
    }
    catch (const std::exception& problem)
    {
        error = OneLine(path + ": not a readable OpenStreetMap extract: " + problem.what());
    }
    catch (...)
    {
        error = path + ": not a readable OpenStreetMap extract";
    }
    map = RoadMap();
    return false;
}

} // namespace roadmap
