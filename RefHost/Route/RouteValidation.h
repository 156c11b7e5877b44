// The checks a route description must pass before a route model is built.
#ifndef REFHOST_ROUTE_ROUTEVALIDATION_H
#define REFHOST_ROUTE_ROUTEVALIDATION_H

#include "RouteDescription.h"

#include <string>

namespace refhost
{

// Empty when `description` can be built; otherwise the first fault found, as
// a sentence naming the route's source and the offending link, point,
// destination or manoeuvre. Checked: at least one link; every link at least
// two points, every point a valid position (finite, -180 < lon < 180,
// -90 < lat < 90); every link's times either empty or one finite,
// non-decreasing value per point; the origin either AP_INVALID_POINT (none) or a valid
// position; every destination a valid position; every manoeuvre with link
// indexes in range, enterLink <= exitLink, and a known turn type.
std::string ValidateRouteDescription(const RouteDescription& description);

// True when -180 < lon < 180 and -90 < lat < 90 (false for NaN).
bool IsValidPosition(const tagLonLat& point);

} // namespace refhost

#endif
