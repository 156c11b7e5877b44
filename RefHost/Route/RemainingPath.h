// The path ahead of a moving vehicle, as a navigation host hands it to the
// library: its first edge and guide are the rest of the link the vehicle is
// on, from the vehicle's position to the link's end (a short polyline this
// path owns), then every link up to the route's end. A route line drawn from
// it starts at the vehicle and so vanishes behind it.
//
// The first guide keeps the head words and m_GuidePoint of its link (so the
// library's walk to the entering guide and the next guide follow exactly as
// on the whole route); its points and m_GuideLength are those of the rest.
// The points it hands out for the first edge live in this object: they stay
// valid until the next StartAt or until the object is destroyed. Copies own
// their own rest.
#ifndef REFHOST_ROUTE_REMAININGPATH_H
#define REFHOST_ROUTE_REMAININGPATH_H

#include "PathView.h"

#include <cstddef>
#include <vector>

namespace refhost
{

class RouteModel;

class RemainingPath : public PathView
{
public:
    // An empty path.
    RemainingPath() = default;
    // The whole of `route`, from its first point (the view shares the
    // route's points and keeps them alive).
    explicit RemainingPath(const RouteModel& route);

    // Starts the path at `position`, which lies on segment `segment` of
    // `link` (between its points segment and segment + 1; a segment beyond
    // the link's last counts as its last). A link beyond the route empties
    // the path. Reuses its buffer: no allocation once it has held as many
    // points.
    void StartAt(std::size_t link, std::size_t segment, const tagLonLat& position);

    // The first edge's points: the vehicle's position, then the rest of its
    // link (at least two points while the path is not empty).
    const std::vector<tagLonLat>& FirstEdge() const { return m_rest; }

    int GetEdge(POSITION position, unsigned short& count, tagLonLat*& points) override;
    int GetGuid(POSITION position, PathGuid& guide) override;

private:
    std::vector<tagLonLat> m_rest;
};

} // namespace refhost

#endif
