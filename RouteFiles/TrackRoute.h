// A route from a bare line of points (GeoJSON, GPX, or a directions response
// without steps): links cut where the direction changes, one manoeuvre per
// cut, the arrival at the last point.
#ifndef ROUTEFILES_TRACKROUTE_H
#define ROUTEFILES_TRACKROUTE_H

#include "ReadOptions.h"

#include <string>
#include <vector>

namespace refhost::routefiles
{

// `points` are valid and free of consecutive duplicates. Throws when fewer
// than two remain. Every link and manoeuvre carries `name`. The direction into
// a point is that from the last point at least turnWindowMetres back (or the
// first point) and the direction out that to the first point at least that
// far ahead (or the last point); of the neighbouring points (closer than the
// window to each other) whose change exceeds the threshold, the one with the
// largest change is the turn.
RouteDescription BuildTrackRoute(std::vector<tagLonLat> points, const std::string& name,
                                 const RouteReadOptions& options);

} // namespace refhost::routefiles

#endif
