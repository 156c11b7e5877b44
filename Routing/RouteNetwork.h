// The road network around a route, asked of a NetworkSource: one part for
// all of the route when its box is small (one dump is cheaper than many),
// else one part for each place asked about.
#ifndef ADVICEPATH_ROUTING_ROUTENETWORK_H
#define ADVICEPATH_ROUTING_ROUTENETWORK_H

#include "RoadNetworkPart.h"
#include "RoutinoTrack.h"

#include "Route/RouteDescription.h"

#include <cstddef>
#include <vector>

namespace refhost::routing
{

class RouteNetwork
{
public:
    // An unset source gives empty parts.
    RouteNetwork(NetworkSource source, const Track& track);

    // The part around the track's points first..last (150 m around them).
    const RoadNetworkPart& Around(size_t first, size_t last);

    // The roads at the track's point `point`, every one of them: where a
    // road's first segment reaches beyond the part around the point (a long
    // straight road), a wider part around the point alone is asked for.
    std::vector<JunctionRoad> RoadsAt(size_t point);

    // One JunctionRoads per point first..last that has roads other than the
    // route's (always for first and last); empty when the network is unknown.
    std::vector<JunctionRoads> Junctions(size_t first, size_t last);

private:
    struct Box
    {
        tagLonLat low;
        tagLonLat high;
    };
    Box BoxOf(size_t first, size_t last, double marginMetres) const;
    std::vector<JunctionRoad> RoadsIn(const RoadNetworkPart& part, size_t point);

    NetworkSource m_source;
    const Track& m_track;
    bool m_whole = false;
    RoadNetworkPart m_part;
    // The points m_part was asked for when it is not the whole route's.
    size_t m_first = 0;
    size_t m_last = 0;
    bool m_asked = false;
};

} // namespace refhost::routing

#endif
