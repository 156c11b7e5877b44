// A path over a range of links of a built route: what the library reads as the
// host's CNavPath. Route-line edges and guides are the links of the range, in
// driving order. A view shares the route's points (no copy) and keeps them
// alive; copying a view is cheap.
#ifndef REFHOST_ROUTE_PATHVIEW_H
#define REFHOST_ROUTE_PATHVIEW_H

#include "PathLibrary.h"

#include <cstddef>
#include <memory>

namespace refhost
{

namespace route_detail
{
struct RouteData;
}

class PathView : public CNavPath
{
public:
    // An empty path: no edges, no guides.
    PathView() = default;
    // Links [firstLink, endLink) of `route`; the range is clamped to the route.
    PathView(std::shared_ptr<const route_detail::RouteData> route, size_t firstLink,
             size_t endLink);

    size_t FirstLink() const { return m_begin; }
    size_t EndLink() const { return m_end; } // one past the last link
    bool Empty() const { return m_begin >= m_end; }

    // Positions are link indexes of the route (plus one, so that null stays
    // "none"); a position outside the range is refused.
    POSITION GetFirstPosition() override;
    POSITION GetNext(POSITION position) override;
    // The link's points (2 .. 65535) in the route's memory. 0 for a position
    // outside the range, outputs unchanged.
    int GetEdge(POSITION position, unsigned short& count, tagLonLat*& points) override;
    // The guide record of the link at `position`. 0 outside the range.
    int GetGuid(POSITION position, PathGuid& guide) override;
    // The guide after `current`, read from its head words alone: 0 when
    // `current` is not a record of this route, or when the next link lies
    // outside this view or outside the range `current` was handed out for.
    // `current` and `next` may be one record.
    int GetNextGuid(const PathGuid& current, PathGuid& next) override;

    // The link at `position`, or SIZE_MAX for null or a position outside the
    // range.
    size_t LinkAt(POSITION position) const;
    static POSITION PositionOf(size_t link);

protected:
    std::shared_ptr<const route_detail::RouteData> m_route;
    size_t m_begin = 0;
    size_t m_end = 0;
};

} // namespace refhost

#endif
