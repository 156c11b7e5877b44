// Times along a directions response: when the vehicle passes each point of
// each step's geometry.
#ifndef ROUTEFILES_DIRECTIONSTIMES_H
#define ROUTEFILES_DIRECTIONSTIMES_H

#include "DirectionsModel.h"

#include <vector>

namespace refhost::routefiles
{

// times[leg][step][point]: seconds since the route's first point at each
// point of each step's decoded geometry, the clock running on across steps
// and legs. A leg whose annotation gives one value per segment of its
// geometry (the steps' geometries joined at their shared points) is timed
// segment by segment: its `duration`, else its `distance` (or the segment's
// geodesic length) over its `speed`. Any other leg spreads each step's
// `duration` over the step's length. Empty when a step of a leg without a
// usable annotation has no duration: then the route has no times.
std::vector<std::vector<std::vector<double>>> StepPointTimes(const RawRoute& route);

} // namespace refhost::routefiles

#endif
