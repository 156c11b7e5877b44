// The road map of a region: the roads with their class, name, reference and
// direction, the rivers and streams, the water areas and the buildings, each
// with its geometry, and one spatial index per kind so that a frame asks only
// for what is in view.
//
//     roadmap::RoadMap map;
//     std::string error;
//     if (!roadmap::ReadRoadMap("data/osm/krems.osm.gz", box, map, error)) ...
//     std::vector<uint32_t> ids;
//     map.RoadsIn(viewBox, ids);
//     for (uint32_t id : ids)
//         Draw(map.Roads()[id], map.PointsOf(map.Roads()[id].line));
//
// Points are WGS84 degrees as the host's services exchange them. A map is
// filled with the Add functions, then FinishIndex makes it searchable; a map
// that is only read may be read by any number of threads.
#ifndef ROADMAP_ROADMAP_H
#define ROADMAP_ROADMAP_H

#include "GridIndex.h"
#include "LonLatBox.h"
#include "OnewayRule.h"
#include "RoadClass.h"

#include <cstdint>
#include <string>
#include <vector>

namespace roadmap
{

// A run of points in the map's point store.
struct PointSpan
{
    uint32_t first = 0;
    uint32_t count = 0;
};

struct Road
{
    RoadClass roadClass = RoadClass::Residential;
    bool isLink = false;       // a *_link ramp of its class
    bool isRoundabout = false; // junction=roundabout or junction=circular
    Oneway oneway = Oneway::Both;
    std::string name; // UTF-8, may be empty
    std::string ref;  // "A 9", "CG-1"; may be empty
    PointSpan line;   // at least two points
};

enum class WaterwayKind : uint8_t
{
    River,  // rivers and canals
    Stream, // streams, ditches and drains
};

struct Waterway
{
    WaterwayKind kind = WaterwayKind::Stream;
    PointSpan line;
};

// An area: one or more closed rings (the last point joins the first), holes
// and islands by the even-odd rule. Rings are RingsOf(area) in the ring store.
struct Area
{
    uint32_t firstRing = 0;
    uint32_t ringCount = 0;
};

class RoadMap
{
public:
    // Each Add copies the points; lines need two, rings three. Something with
    // fewer is not added (false).
    bool AddRoad(Road road, const std::vector<tagLonLat>& points);
    bool AddWaterway(WaterwayKind kind, const std::vector<tagLonLat>& points);
    bool AddWaterArea(const std::vector<std::vector<tagLonLat>>& rings);
    bool AddBuilding(const std::vector<std::vector<tagLonLat>>& rings);

    // Builds the spatial indexes of everything added so far; the queries
    // below find only what was added before the last call.
    void FinishIndex();

    const std::vector<Road>& Roads() const { return m_roads; }
    const std::vector<Waterway>& Waterways() const { return m_waterways; }
    const std::vector<Area>& WaterAreas() const { return m_waterAreas; }
    const std::vector<Area>& Buildings() const { return m_buildings; }

    const tagLonLat* PointsOf(const PointSpan& span) const { return m_points.data() + span.first; }
    const PointSpan* RingsOf(const Area& area) const { return m_rings.data() + area.firstRing; }

    // The ids (indexes into Roads() and so on) of what may show in `box`:
    // everything whose bounding box meets it, ascending.
    void RoadsIn(const LonLatBox& box, std::vector<uint32_t>& ids) const;
    void WaterwaysIn(const LonLatBox& box, std::vector<uint32_t>& ids) const;
    void WaterAreasIn(const LonLatBox& box, std::vector<uint32_t>& ids) const;
    void BuildingsIn(const LonLatBox& box, std::vector<uint32_t>& ids) const;

    // The box of everything in the map (empty when it holds nothing).
    const LonLatBox& Bounds() const { return m_bounds; }
    // Points held, for the figures of a reading.
    std::size_t PointCount() const { return m_points.size(); }

private:
    PointSpan Store(const std::vector<tagLonLat>& points);
    bool AddArea(std::vector<Area>& areas, std::vector<LonLatBox>& boxes,
                 const std::vector<std::vector<tagLonLat>>& rings);

    std::vector<tagLonLat> m_points;
    std::vector<PointSpan> m_rings;
    std::vector<Road> m_roads;
    std::vector<Waterway> m_waterways;
    std::vector<Area> m_waterAreas;
    std::vector<Area> m_buildings;
    // Bounding boxes of what has been added, one per road, waterway, area.
    std::vector<LonLatBox> m_roadBoxes;
    std::vector<LonLatBox> m_waterwayBoxes;
    std::vector<LonLatBox> m_waterAreaBoxes;
    std::vector<LonLatBox> m_buildingBoxes;
    GridIndex m_roadIndex;
    GridIndex m_waterwayIndex;
    GridIndex m_waterAreaIndex;
    GridIndex m_buildingIndex;
    LonLatBox m_bounds;
};

} // namespace roadmap

#endif
