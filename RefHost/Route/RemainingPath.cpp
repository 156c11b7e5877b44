#include "RemainingPath.h"

#include "Geodesy/ReferenceGeodesy.h"
#include "GuideRecords.h"
#include "RouteData.h"
#include "RouteModel.h"

#include <algorithm>

namespace refhost
{

RemainingPath::RemainingPath(const RouteModel& route) : PathView(route)
{
    if (!Empty())
        StartAt(0, 0, route.LinkPoints(0).front());
}

void RemainingPath::StartAt(size_t link, size_t segment, const tagLonLat& position)
{
    const size_t count = m_route ? m_route->links.size() : 0;
    m_rest.clear();
    if (link >= count)
    {
        m_begin = m_end = count;
        return;
    }
    m_begin = link;
    m_end = count;
    const std::vector<tagLonLat>& points = m_route->links[link].points;
    const size_t next = std::min(segment, points.size() - 2) + 1;
    m_rest.push_back(position);
    m_rest.insert(m_rest.end(), points.begin() + static_cast<std::ptrdiff_t>(next), points.end());
}

int RemainingPath::GetEdge(POSITION position, unsigned short& count, tagLonLat*& points)
{
    if (Empty() || LinkAt(position) != m_begin)
        return PathView::GetEdge(position, count, points);
    count = static_cast<unsigned short>(m_rest.size());
    points = m_rest.data();
    return 1;
}

int RemainingPath::GetGuid(POSITION position, PathGuid& guide)
{
    if (Empty() || LinkAt(position) != m_begin)
        return PathView::GetGuid(position, guide);
    route_detail::WriteGuide(*m_route, m_begin, m_begin, m_end, guide);
    guide.m_FirstCount = static_cast<uint16_t>(m_rest.size());
    guide.mp_FirstPoints = m_rest.data();
    guide.m_GuideLength =
        geodesy::LineLength(static_cast<unsigned short>(m_rest.size()), m_rest.data());
    return 1;
}

} // namespace refhost
