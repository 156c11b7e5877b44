// Which links of a route come near a part of the map: a tree of bounding
// boxes over runs of consecutive links. A route is drawn in driving order and
// neighbouring links lie near each other, so the boxes of runs stay tight and
// a query visits only the runs near the box asked about: O(k log n) for k
// links found among n, whatever the route's length.
//
// Boxes are in plain degrees (longitude, latitude). A link that crosses the
// 180th meridian gets a box spanning every longitude and is found by every
// query: drawn too often, never missed.
#ifndef DRIVE_LINKBOXINDEX_H
#define DRIVE_LINKBOXINDEX_H

#include "LonLat.h"

#include <cstddef>
#include <vector>

namespace refhost
{
class RouteModel;
} // namespace refhost

namespace drive
{

struct LonLatBox
{
    double west = 0.0;
    double south = 0.0;
    double east = 0.0;
    double north = 0.0;

    bool Intersects(const LonLatBox& other) const
    {
        return west <= other.east && other.west <= east && south <= other.north &&
               other.south <= north;
    }
};

class LinkBoxIndex
{
public:
    // No links.
    LinkBoxIndex() = default;
    // The boxes of every link of `route` (which need not outlive the index).
    explicit LinkBoxIndex(const refhost::RouteModel& route);

    // Appends to `links`, in ascending order, every link from `firstLink` on
    // whose box meets `box`. `links` is not cleared first.
    void Find(const LonLatBox& box, std::size_t firstLink, std::vector<std::size_t>& links) const;

private:
    void Visit(std::size_t node, std::size_t begin, std::size_t end, const LonLatBox& box,
               std::size_t firstLink, std::vector<std::size_t>& links) const;

    std::size_t m_linkCount = 0;
    // A complete binary tree over the links, root at 1; node n covers a run
    // of links and holds the union of their boxes.
    std::vector<LonLatBox> m_nodes;
};

} // namespace drive

#endif
