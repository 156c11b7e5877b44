// The change of direction at each point of a line, measured over a stretch of
// line either side so that GPS jitter and curves drawn with many small steps
// read as one turn.
#ifndef ROUTEFILES_TURNWINDOW_H
#define ROUTEFILES_TURNWINDOW_H

#include "ReadOptions.h"

#include <cstddef>
#include <vector>

namespace refhost::routefiles
{

// The window of `options` in metres: turnWindowMetres, or 0 when that is not
// a positive finite number.
double TurnWindowMetres(const RouteReadOptions& options);

// The turn angle at every point of `points` (degrees, positive to the right;
// 0 at the first and the last): the direction into a point is that from the
// last point at least `window` metres back (or the first point), the
// direction out that to the first point at least that far ahead (or the last
// point). `along` holds the metres along the line to each point.
std::vector<double> WindowedTurnAngles(const std::vector<tagLonLat>& points,
                                       const std::vector<double>& along, double window);

// The turn angle at point `i` measured likewise, but never back beyond point
// `first` nor on beyond point `last` (the neighbouring manoeuvres, whose own
// turns would count again: a "continue" 13 m after a sharp left was read as a
// left turn).
double WindowedTurnAngle(const std::vector<tagLonLat>& points, const std::vector<double>& along,
                         std::size_t i, double window, std::size_t first, std::size_t last);

} // namespace refhost::routefiles

#endif
