// Routino's "all nodes" text output (router --output-text-all): one line per
// node of the route, with the segment that leads to it.
//
//     #Latitude  Longitude  Node    Type     Segment Segment Total Total   Speed Bearing Highway
//      42.506294  1.521597    13378  Waypt#1  0.000   0.00   0.00    0.0
//      42.506272  1.521587    13375  Inter    0.002   0.00   0.00    0.0    96    198   primary
//      road
//
// Fields are separated by tabs; distances are kilometres (3 decimals),
// durations minutes (2 decimals), coordinates degrees (6 decimals).
#ifndef ADVICEPATH_ROUTING_ROUTINOTEXT_H
#define ADVICEPATH_ROUTING_ROUTINOTEXT_H

#include "LonLat.h"

#include <string>
#include <string_view>
#include <vector>

namespace refhost::routing
{

struct TrackNode
{
    tagLonLat point = AP_INVALID_POINT;
    // "Waypt#1", "Junct" (a junction Routino describes), "Junct-" (one it
    // passes silently), "Change" (the road changes), "Inter" (any other node).
    std::string type;
    int waypoint = 0;            // N of "Waypt#N", 0 for other nodes
    double segmentMetres = 0.0;  // the segment that ends here (0 at the first node)
    double segmentSeconds = 0.0; // its duration
    int speedKmh = 0;            // the profile's speed for the segment's highway type
    // The segment's road: its name and reference ("Avinguda Prat de la Creu
    // (CG3a)"), or Routino's word for its type when it has neither ("primary
    // road"); empty at the first node.
    std::string highway;
};

// The nodes of the route in driving order. Throws RoutingFailure
// "<sourceName>:<line>: <problem>" for a line that is not a node line or a
// route that does not start and end at a waypoint.
std::vector<TrackNode> ReadAllNodesText(std::string_view text, const std::string& sourceName);

} // namespace refhost::routing

#endif
