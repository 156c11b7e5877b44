// The turn type of a change of direction.
#ifndef ROUTEFILES_TURNCLASS_H
#define ROUTEFILES_TURNCLASS_H

#include "RouteLibrary.h"

namespace refhost
{

// The turn type for a change of direction of `angleDegrees` (positive to the
// right, -180..180): below 20 straight, below 60 slight, below 120 plain,
// below 165 sharp, else a U-turn.
NAV_TURN_TYPE_tag ClassifyTurnAngle(double angleDegrees) noexcept;

} // namespace refhost

#endif
