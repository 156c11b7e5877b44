// The stretch of line either side of a point that its change of direction is
// measured over, so that GPS jitter and curves drawn with many small steps
// read as one turn (the measure itself: WindowedTurnAngle in
// Geodesy/Angles.h).
#ifndef ROUTEFILES_TURNWINDOW_H
#define ROUTEFILES_TURNWINDOW_H

#include "ReadOptions.h"

namespace refhost::routefiles
{

// The window of `options` in metres: turnWindowMetres, or 0 when that is not
// a positive finite number.
double TurnWindowMetres(const RouteReadOptions& options);

} // namespace refhost::routefiles

#endif
