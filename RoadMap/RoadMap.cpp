#include "RoadMap.h"

#include <utility>

namespace roadmap
{

PointSpan RoadMap::Store(const std::vector<tagLonLat>& points)
{
    PointSpan span;
    span.first = static_cast<uint32_t>(m_points.size());
    span.count = static_cast<uint32_t>(points.size());
    m_points.insert(m_points.end(), points.begin(), points.end());
    m_bounds.Extend(BoxOf(points.data(), points.size()));
    return span;
}

bool RoadMap::AddRoad(Road road, const std::vector<tagLonLat>& points)
{
    if (points.size() < 2)
        return false;
    road.line = Store(points);
    m_roadBoxes.push_back(BoxOf(points.data(), points.size()));
    m_roads.push_back(std::move(road));
    return true;
}

bool RoadMap::AddWaterway(WaterwayKind kind, const std::vector<tagLonLat>& points)
{
    if (points.size() < 2)
        return false;
    Waterway waterway;
    waterway.kind = kind;
    waterway.line = Store(points);
    m_waterwayBoxes.push_back(BoxOf(points.data(), points.size()));
    m_waterways.push_back(waterway);
    return true;
}

bool RoadMap::AddArea(std::vector<Area>& areas, std::vector<LonLatBox>& boxes,
                      const std::vector<std::vector<tagLonLat>>& rings)
{
    Area area;
    area.firstRing = static_cast<uint32_t>(m_rings.size());
    LonLatBox box;
    for (const std::vector<tagLonLat>& ring : rings)
    {
        if (ring.size() < 3)
            continue;
        m_rings.push_back(Store(ring));
        box.Extend(BoxOf(ring.data(), ring.size()));
        ++area.ringCount;
    }
    if (area.ringCount == 0)
        return false;
    areas.push_back(area);
    boxes.push_back(box);
    return true;
}

bool RoadMap::AddWaterArea(const std::vector<std::vector<tagLonLat>>& rings)
{
    return AddArea(m_waterAreas, m_waterAreaBoxes, rings);
}

bool RoadMap::AddBuilding(const std::vector<std::vector<tagLonLat>>& rings)
{
    return AddArea(m_buildings, m_buildingBoxes, rings);
}

void RoadMap::FinishIndex()
{
    m_roadIndex.Build(m_roadBoxes);
    m_waterwayIndex.Build(m_waterwayBoxes);
    m_waterAreaIndex.Build(m_waterAreaBoxes);
    m_buildingIndex.Build(m_buildingBoxes);
}

void RoadMap::RoadsIn(const LonLatBox& box, std::vector<uint32_t>& ids) const
{
    m_roadIndex.Query(box, ids);
}

void RoadMap::WaterwaysIn(const LonLatBox& box, std::vector<uint32_t>& ids) const
{
    m_waterwayIndex.Query(box, ids);
}

void RoadMap::WaterAreasIn(const LonLatBox& box, std::vector<uint32_t>& ids) const
{
    m_waterAreaIndex.Query(box, ids);
}

void RoadMap::BuildingsIn(const LonLatBox& box, std::vector<uint32_t>& ids) const
{
    m_buildingIndex.Query(box, ids);
}

} // namespace roadmap
