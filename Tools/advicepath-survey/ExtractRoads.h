// The roads of an OpenStreetMap extract that a car may use, as a graph of
// nodes and segments (read with libosmium: .osm.pbf, .osm, .osm.gz,
// .osm.bz2). The survey chooses its route points on it and counts the exits
// a roundabout has between a route's entry and its exit on it, without the
// routing engine's word for either.
//
// A car may use the highways the routing engine's rules give cars (Routino's
// tagging.xml): motorway, trunk, primary, secondary, tertiary and their _link
// roads, unclassified, road, minor, residential, living_street, service,
// access, services, rest_area and layby, unless motorcar, motor_vehicle or
// access (the first of them given) says no or private. Which way a car may
// drive each way is the road map's one-way rule (RoadMap/OnewayRule.h).
#ifndef TOOLS_SURVEY_EXTRACTROADS_H
#define TOOLS_SURVEY_EXTRACTROADS_H

#include "LonLat.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace survey
{

struct RoadSegment
{
    uint32_t from = 0; // node indexes
    uint32_t to = 0;
    bool forward = true;  // a car may drive from `from` to `to`
    bool backward = true; // ... and back
    bool roundabout = false;
    bool ramp = false; // a motorway or trunk _link road
};

class ExtractRoads
{
public:
    // Reads the extract; false with `error` naming the file and the problem.
    static bool Read(const std::string& path, ExtractRoads& roads, std::string& error) noexcept;

    std::size_t NodeCount() const { return m_points.size(); }
    const tagLonLat& Point(uint32_t node) const { return m_points[node]; }
    const std::vector<RoadSegment>& Segments() const { return m_segments; }
    // The segments at a node (indexes into Segments()).
    const std::vector<uint32_t>& SegmentsAt(uint32_t node) const { return m_atNode[node]; }

    // The node within `metres` of `point` nearest to it.
    std::optional<uint32_t> NodeNear(const tagLonLat& point, double metres) const;
    // The node at the other end of `segment` from `node`.
    static uint32_t Across(const RoadSegment& segment, uint32_t node)
    {
        return segment.from == node ? segment.to : segment.from;
    }
    // Whether a car may drive along `segment` away from `node`, or towards it.
    static bool Leaves(const RoadSegment& segment, uint32_t node)
    {
        return segment.from == node ? segment.forward : segment.backward;
    }
    static bool Arrives(const RoadSegment& segment, uint32_t node)
    {
        return segment.from == node ? segment.backward : segment.forward;
    }

private:
    void Index();
    static int64_t CellOf(const tagLonLat& point);

    std::vector<tagLonLat> m_points;
    std::vector<RoadSegment> m_segments;
    std::vector<std::vector<uint32_t>> m_atNode;
    std::unordered_map<int64_t, std::vector<uint32_t>> m_cells;
};

} // namespace survey

#endif
