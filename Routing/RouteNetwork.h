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

    // One JunctionRoads per point first..last that has roads other than the
    // route's (always for first and last); empty when the network is unknown.
    std::vector<JunctionRoads> Junctions(size_t first, size_t last);

private:
    struct Box
    {
        tagLonLat low;
        tagLonLat high;
    };
    Box BoxOf(size_t first, size_t last) const;

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
