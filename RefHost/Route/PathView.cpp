#include "PathView.h"

#include "GuideRecords.h"
#include "RouteData.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace refhost
{

using route_detail::GuideHead;
using route_detail::ReadGuideHead;
using route_detail::WriteGuide;

PathView::PathView(std::shared_ptr<const route_detail::RouteData> route, size_t firstLink,
                   size_t endLink)
    : m_route(std::move(route))
{
    size_t count = m_route ? m_route->links.size() : 0;
    m_end = std::min(endLink, count);
    m_begin = std::min(firstLink, m_end);
}

POSITION PathView::PositionOf(size_t link)
{
    // POSITION is the path interface's opaque cursor: it carries a link number
    // and is never dereferenced.
    return reinterpret_cast<POSITION>( // NOLINT(performance-no-int-to-ptr)
        static_cast<uintptr_t>(link) + 1u);
}

size_t PathView::LinkAt(POSITION position) const
{
    if (position == nullptr)
        return SIZE_MAX;
    size_t link = static_cast<size_t>(reinterpret_cast<uintptr_t>(position)) - 1u;
    return (link >= m_begin && link < m_end) ? link : SIZE_MAX;
}

POSITION PathView::GetFirstPosition()
{
    return Empty() ? nullptr : PositionOf(m_begin);
}

POSITION PathView::GetNext(POSITION position)
{
    size_t link = LinkAt(position);
    if (link == SIZE_MAX || link + 1 >= m_end)
        return nullptr;
    return PositionOf(link + 1);
}

int PathView::GetEdge(POSITION position, unsigned short& count, tagLonLat*& points)
{
    size_t link = LinkAt(position);
    if (link == SIZE_MAX)
        return 0;
    const std::vector<tagLonLat>& linkPoints = m_route->links[link].points;
    count = static_cast<unsigned short>(linkPoints.size());
    // Read only by the library; the route never changes after it is built.
    points = const_cast<tagLonLat*>(linkPoints.data());
    return 1;
}

int PathView::GetGuid(POSITION position, PathGuid& guide)
{
    size_t link = LinkAt(position);
    if (link == SIZE_MAX)
        return 0;
    WriteGuide(*m_route, link, m_begin, m_end, guide);
    return 1;
}

int PathView::GetNextGuid(const PathGuid& current, PathGuid& next)
{
    if (!m_route)
        return 0;
    // Everything is read from `current` before `next` is written: they may be
    // the same record.
    const GuideHead head = ReadGuideHead(current);
    if (head.identity != m_route->identity || head.link < head.rangeBegin ||
        head.link >= head.rangeEnd)
        return 0;
    size_t begin = std::max(head.rangeBegin, m_begin);
    size_t end = std::min(head.rangeEnd, m_end);
    size_t following = head.link + 1;
    if (following < begin || following >= end)
        return 0;
    WriteGuide(*m_route, following, begin, end, next);
    return 1;
}

} // namespace refhost
