// The junction's other roads as short stubs, for a map view to draw under the
// route so that the junction's shape shows.
#ifndef REFHOST_ROUTE_JUNCTIONSTUBS_H
#define REFHOST_ROUTE_JUNCTIONSTUBS_H

#include "Route/RouteDescription.h"

#include <vector>

namespace refhost
{

// One two-point line per road of maneuver.junctions that the route does not
// take: from the junction `lengthMetres` (> 0) along the road's bearing.
// Empty when the manoeuvre has no junctions or `lengthMetres` is not a
// positive finite number.
std::vector<std::vector<tagLonLat>> JunctionStubs(const Maneuver& maneuver,
                                                  double lengthMetres = 30.0);

} // namespace refhost

#endif
