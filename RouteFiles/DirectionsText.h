// English instructions for the steps of a directions response, made from the
// maneuver type and modifier (the response's own instruction texts may be in
// any language, and are often missing).
#ifndef ROUTEFILES_DIRECTIONSTEXT_H
#define ROUTEFILES_DIRECTIONSTEXT_H

#include "DirectionsModel.h"
#include "RouteLibrary.h"

#include <string>

namespace refhost::routefiles
{

// The road a step follows: its name, else its ref, else "".
std::string RoadName(const RawStep& step);

// "Turn left onto Market Street", "At the roundabout, take the 2nd exit onto
// ...", "Turn left at the roundabout" (a roundabout turn), "Take exit 48 on
// the right towards Newark", ... with the step's exit numbers and
// destinations where it gives them. `turn` is the step's turn type (used where
// the type word alone does not say the direction).
std::string StepInstruction(const RawStep& step, NAV_TURN_TYPE_tag turn);

// "You have arrived at your destination" (", on the right" where the step
// says so).
std::string ArrivalInstruction(const RawStep* arrival);

} // namespace refhost::routefiles

#endif
