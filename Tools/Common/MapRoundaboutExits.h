// A route file's roundabout exits counted on the road map drawn under it
// (--map): the file's own number may be missing or wrong, while the map's
// roads show which exits the car passes.
#ifndef TOOLS_COMMON_MAPROUNDABOUTEXITS_H
#define TOOLS_COMMON_MAPROUNDABOUTEXITS_H

#include "RouteSource.h"

#include "RoadMap/RoadMap.h"
#include "Route/RouteDescription.h"
#include "Route/RouteModel.h"

#include <cstddef>
#include <optional>
#include <string>

namespace tools
{

// How far a route's point may lie from the circle's vertex it stands for:
// the points of a route file are good to about a metre.
constexpr double kCircleMatchMetres = 4.0;

// For each roundabout manoeuvre of `route` whose circle `map` holds, the exit
// number becomes the count on the map's roads and its instruction is worded
// again with it: one more than the circle's vertices strictly between where
// the route joins the circle and where it leaves it that have a road off the
// circle a car may drive away on. The route's entry and exit are the circle
// vertices nearest its points there, within kCircleMatchMetres; the circle is
// walked in its driving direction. A manoeuvre whose circle the map does not
// hold is left as it is. Returns how many manoeuvres were changed.
size_t CountMapRoundaboutExits(const roadmap::RoadMap& map, refhost::RouteDescription& route);

// What a tool does with the map it read for `source`: a route file's exits
// (`route`, the description `model` was built from) are counted on `map`, and
// `model` is built again when any changed; a route computed over the map has
// its exits from the map already. False, with `message`, when the model
// cannot be built.
bool CountExitsOnMap(const roadmap::RoadMap& map, const RouteSource& source,
                     refhost::RouteDescription& route, std::optional<refhost::RouteModel>& model,
                     std::string& message);

} // namespace tools

#endif
