// A part of the routing database's road network, read from Routino's dump of
// a box (filedumper --dump-osm): every segment whose both nodes lie in the
// box, as an OSM way of two nodes with the segment's highway type, name,
// one-way rule and transport rights. It tells which roads meet at a junction
// of the route.
//
//     <node id='153' lat='51.1915754' lon='14.4127493' version='1'>
//     <way id='179' version='1'>
//       <nd ref='153' /> <nd ref='154' />
//       <tag k='oneway' v='yes' /> <tag k='highway' v='motorway' />
//       <tag k='motorcar' v='yes' />
//     </way>
#ifndef ADVICEPATH_ROUTING_ROADNETWORKPART_H
#define ADVICEPATH_ROUTING_ROADNETWORKPART_H

#include "LonLat.h"
#include "RoadMap/OnewayRule.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace refhost::routing
{

// A road at a junction, pointing away from it.
struct JunctionRoad
{
    // Degrees clockwise from north, towards the road's point about
    // kRoadBearingMetres along it (or its last node in the part when it
    // ends sooner).
    double bearing = 0.0;
    tagLonLat next = AP_INVALID_POINT; // the road's first node after the junction
    std::string highway;               // "motorway", "primary", ... (a link counts as its road)
    std::string name;                  // name and reference as Routino holds them; "" if none
    bool car = false;                  // cars may use it
    bool carMayLeave = false;          // ... driving away from the junction on it
    bool roundabout = false;
};

// How far along a road its bearing is measured, metres.
constexpr double kRoadBearingMetres = 20.0;

class RoadNetworkPart
{
public:
    RoadNetworkPart() = default;
    // Reads a dump; a document that is not one gives an empty part.
    // `junctionCounts` is the database's own count of segments at each
    // junction of the box (filedumper --visualiser --data=junctions: lines
    // "node<id> <lat> <lon> <count>"): a segment whose other end lies outside
    // the box is not in the dump, and the counts tell where one is missing.
    static RoadNetworkPart FromDump(std::string_view xml, std::string_view junctionCounts = {});

    bool Empty() const { return m_nodes.empty(); }
    // Whether the part holds every segment at the node nearest `junction`
    // (within `toleranceMetres`); true where no count says otherwise.
    bool CompleteAt(const tagLonLat& junction, double toleranceMetres = 0.5) const;

    // The roads at the node nearest `junction` within `toleranceMetres`;
    // empty when no node lies that near.
    std::vector<JunctionRoad> RoadsAt(const tagLonLat& junction,
                                      double toleranceMetres = 0.5) const;

    // A roundabout that the map does not tag as one: the nodes of the closed
    // ring of one-way road, of one type and name, that the segment from the
    // node at `from` to the node at `to` starts, in driving order from `to`
    // round to `from`. The ring is at most `maxMetres` long and round (no two
    // of its nodes farther apart than 0.4 of its length; a circle's are 0.32,
    // a one-way loop along a divided road's carriageways nearly 0.5). Empty
    // when there is no such ring, or the segment is a tagged roundabout's.
    std::vector<tagLonLat> OneWayRingFrom(const tagLonLat& from, const tagLonLat& to,
                                          double maxMetres = 300.0) const;

private:
    struct Segment
    {
        size_t from = 0;
        size_t to = 0;
        size_t road = 0; // index into m_roads
    };
    struct Road
    {
        std::string highway;
        std::string name;
        bool car = false;
        roadmap::Oneway oneway = roadmap::Oneway::Both; // along the segment's two nodes
        bool roundabout = false;
    };
    struct Node
    {
        tagLonLat point = AP_INVALID_POINT;
        std::vector<size_t> segments;
        size_t counted = 0; // the database's count of its segments; 0: not given
    };

    size_t NodeNear(const tagLonLat& point, double toleranceMetres) const;
    // The node at the other end of `segment` (one of node `at`'s) from `at`.
    size_t Across(size_t segment, size_t at) const
    {
        return m_segments[segment].from == at ? m_segments[segment].to : m_segments[segment].from;
    }
    // Whether `segment` (one of node `at`'s) leads a car one way on from
    // `at`, on a road that is no tagged roundabout and, given `like`, of its
    // type and name.
    bool OnOneWayRing(size_t segment, size_t at, const Road* like) const;
    // The one segment on from `at` along the ring's road other than
    // `previous`; m_segments.size() when there is none or more than one.
    size_t RingStep(size_t at, size_t previous, const Road& like) const;
    bool IsNeighbour(size_t junction, size_t node) const;
    tagLonLat FarPoint(size_t junction, size_t segment) const;

    std::vector<Node> m_nodes;
    std::vector<Segment> m_segments;
    std::vector<Road> m_roads;
};

// Gives the part of the network in a box (south-west and north-east corners),
// or an empty part when it cannot.
using NetworkSource =
    std::function<RoadNetworkPart(const tagLonLat& southWest, const tagLonLat& northEast)>;

} // namespace refhost::routing

#endif
