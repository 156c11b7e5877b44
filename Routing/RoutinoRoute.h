// A RouteDescription from Routino's outputs of one route: the track of every
// node and the durations from the all-nodes text, the instructions and the
// roundabouts from the HTML, and, where a network source is given, the other
// roads at each junction.
#ifndef ADVICEPATH_ROUTING_ROUTINOROUTE_H
#define ADVICEPATH_ROUTING_ROUTINOROUTE_H

#include "RoadNetworkPart.h"
#include "Route/RouteDescription.h"
#include "RoutinoOutput.h"

#include <string>

namespace refhost::routing
{

// Throws RoutingFailure naming `sourceName` when the outputs cannot be read
// or do not describe the same route.
RouteDescription BuildRoutinoRoute(const RoutinoOutput& output, const std::string& sourceName,
                                   const NetworkSource& network);

} // namespace refhost::routing

#endif
