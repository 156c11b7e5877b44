#include "LinkBoxIndex.h"

#include "Route/RouteModel.h"

#include <algorithm>
#include <cmath>

namespace drive
{

using refhost::RouteModel;

namespace
{

LonLatBox BoxOf(const std::vector<tagLonLat>& points)
{
    LonLatBox box{points.front().lon, points.front().lat, points.front().lon, points.front().lat};
    for (const tagLonLat& point : points)
    {
        box.west = std::min(box.west, point.lon);
        box.east = std::max(box.east, point.lon);
        box.south = std::min(box.south, point.lat);
        box.north = std::max(box.north, point.lat);
    }
    // Across the 180th meridian the plain box would be the wrong half.
    if (box.east - box.west > 180.0)
    {
        box.west = -180.0;
        box.east = 180.0;
    }
    return box;
}

LonLatBox Union(const LonLatBox& a, const LonLatBox& b)
{
    return {std::min(a.west, b.west), std::min(a.south, b.south), std::max(a.east, b.east),
            std::max(a.north, b.north)};
}

} // namespace

LinkBoxIndex::LinkBoxIndex(const RouteModel& route) : m_linkCount(route.LinkCount())
{
    size_t leaves = 1;
    while (leaves < m_linkCount)
        leaves *= 2;
    // Nodes without links hold an empty box that meets nothing.
    const LonLatBox nothing{HUGE_VAL, HUGE_VAL, -HUGE_VAL, -HUGE_VAL};
    m_nodes.assign(2 * leaves, nothing);
    for (size_t link = 0; link < m_linkCount; ++link)
        m_nodes[leaves + link] = BoxOf(route.LinkPoints(link));
    for (size_t node = leaves - 1; node >= 1; --node)
        m_nodes[node] = Union(m_nodes[2 * node], m_nodes[2 * node + 1]);
}

void LinkBoxIndex::Find(const LonLatBox& box, size_t firstLink, std::vector<size_t>& links) const
{
    if (m_linkCount == 0 || firstLink >= m_linkCount)
        return;
    Visit(1, 0, m_nodes.size() / 2, box, firstLink, links);
}

void LinkBoxIndex::Visit(size_t node, size_t begin, size_t end, const LonLatBox& box,
                         size_t firstLink, std::vector<size_t>& links) const
{
    if (end <= firstLink || begin >= m_linkCount || !m_nodes[node].Intersects(box))
        return;
    if (end - begin == 1)
    {
        links.push_back(begin);
        return;
    }
    const size_t middle = begin + (end - begin) / 2;
    Visit(2 * node, begin, middle, box, firstLink, links);
    Visit(2 * node + 1, middle, end, box, firstLink, links);
}

} // namespace drive
