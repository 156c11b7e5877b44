// The exits a route passes on a roundabout between where it joins the circle
// and the exit it takes, counted on the extract's own roads or, for a route
// file, on the junctions the file describes.
#ifndef TOOLS_SURVEY_EXITCOUNT_H
#define TOOLS_SURVEY_EXITCOUNT_H

#include "ExtractRoads.h"
#include "RouteSurvey.h"

namespace survey
{

// At each node of the track strictly between the junction (the route's start
// where it starts on the circle) and where the route leaves it, the roads off
// the circle a car may drive away on.
ExitCounter CountExitsOnRoads(const ExtractRoads& roads);

// The manoeuvre's junctions strictly between its entry and its exit that
// have a road a car may leave on, each counted once as a directions
// response counts its exits; nothing when the file does not say which
// roads lead out.
ExitCounter CountExitsOfJunctions();

} // namespace survey

#endif
