#include "RouteLinePath.h"

#include <cstdint>
#include <utility>

namespace drive
{

using refhost::RemainingPath;
using refhost::RouteModel;

namespace
{

POSITION PositionOf(size_t edge)
{
    // POSITION is the path interface's opaque cursor: it carries an edge
    // number and is never dereferenced.
    return reinterpret_cast<POSITION>( // NOLINT(performance-no-int-to-ptr)
        static_cast<uintptr_t>(edge) + 1u);
}

} // namespace

RouteLinePath::RouteLinePath(RouteModel route) : m_route(std::move(route)) {}

void RouteLinePath::Select(const RemainingPath& remaining, const LinkBoxIndex& index,
                           const LonLatBox& box)
{
    m_links.clear();
    m_firstEdge = remaining.Empty() ? nullptr : &remaining.FirstEdge();
    if (m_firstEdge != nullptr)
        index.Find(box, remaining.FirstLink() + 1, m_links);
}

size_t RouteLinePath::EdgeCount() const
{
    return m_firstEdge != nullptr ? 1 + m_links.size() : 0;
}

POSITION RouteLinePath::GetFirstPosition()
{
    return EdgeCount() > 0 ? PositionOf(0) : nullptr;
}

POSITION RouteLinePath::GetNext(POSITION position)
{
    const auto edge = static_cast<size_t>(reinterpret_cast<uintptr_t>(position));
    return position != nullptr && edge < EdgeCount() ? PositionOf(edge) : nullptr;
}

int RouteLinePath::GetEdge(POSITION position, unsigned short& count, tagLonLat*& points)
{
    const auto edge = static_cast<size_t>(reinterpret_cast<uintptr_t>(position));
    if (position == nullptr || edge > EdgeCount())
        return 0;
    // The library only reads the points; neither the route nor the remaining
    // path changes while it draws.
    const std::vector<tagLonLat>& line =
        edge == 1 ? *m_firstEdge : m_route.LinkPoints(m_links[edge - 2]);
    count = static_cast<unsigned short>(line.size());
    points = const_cast<tagLonLat*>(line.data());
    return 1;
}

int RouteLinePath::GetGuid(POSITION /*position*/, PathGuid& /*guide*/)
{
    return 0;
}

int RouteLinePath::GetNextGuid(const PathGuid& /*current*/, PathGuid& /*next*/)
{
    return 0;
}

} // namespace drive
