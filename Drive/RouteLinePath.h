// The path a navigation host hands the library for the route line while the
// vehicle moves: the first edge of the remaining path (from the vehicle to
// the end of its link), then only those links ahead that come near the map
// view. The library draws every edge it is given, so the cost of a frame
// follows what is on the screen, not the length of the route.
//
// Only edges are offered: the route line reads no guides (GetGuid and
// GetNextGuid answer 0). The turn is handed the whole remaining path instead.
#ifndef DRIVE_ROUTELINEPATH_H
#define DRIVE_ROUTELINEPATH_H

#include "LinkBoxIndex.h"
#include "Route/RemainingPath.h"
#include "Route/RouteModel.h"

#include <cstddef>
#include <vector>

namespace drive
{

class RouteLinePath : public CNavPath
{
public:
    // No edges until the first Select.
    explicit RouteLinePath(refhost::RouteModel route);

    // The edges from now on: the first edge of `remaining` (which must stay
    // alive and unchanged while the library reads this path), then every
    // link after its first that `index` finds within `box`, in driving order.
    // Keeps its buffer: no allocation once it has held as many links.
    void Select(const refhost::RemainingPath& remaining, const LinkBoxIndex& index,
                const LonLatBox& box);
    std::size_t EdgeCount() const;

    // Positions count the edges from 1; anything else is refused.
    POSITION GetFirstPosition() override;
    POSITION GetNext(POSITION position) override;
    int GetEdge(POSITION position, unsigned short& count, tagLonLat*& points) override;
    int GetGuid(POSITION position, PathGuid& guide) override;
    int GetNextGuid(const PathGuid& current, PathGuid& next) override;

private:
    refhost::RouteModel m_route;
    const std::vector<tagLonLat>* m_firstEdge = nullptr;
    std::vector<std::size_t> m_links;
};

} // namespace drive

#endif
