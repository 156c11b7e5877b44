// The classes of junction the survey counts: one kind per manoeuvre (what
// it announces), and the places that make any kind harder (neighbours
// within a band's reach, the route's start or end within it).
#ifndef TOOLS_SURVEY_JUNCTIONCLASS_H
#define TOOLS_SURVEY_JUNCTIONCLASS_H

#include "TurnChecks.h"

#include <string>
#include <vector>

namespace survey
{

// The kind of a manoeuvre: "plain left/right", "slight left/right", "sharp
// left/right", "straight on", "U-turn", "roundabout exit N" (1 to 4),
// "roundabout exit 5+", "roundabout, exit not named", "motorway entry",
// "motorway exit", "fork".
std::string KindOf(const AnnouncedTurn& turn);

// Every kind in table order, then the places.
const std::vector<std::string>& KindNames();
const std::vector<std::string>& PlaceNames();

// Where a manoeuvre lies against its neighbours and the route's ends, metres
// along; `before` and `after` are the band's reach drawn at the junction
// (back from the junction, on from where the route leaves it).
struct Neighbourhood
{
    double junction = 0.0;
    double passed = 0.0;
    double before = 0.0;
    double after = 0.0;
    double previousPassed = -1.0; // the previous manoeuvre's exit; negative: none
    double nextJunction = -1.0;   // the next manoeuvre's junction; negative: none
    double routeLength = 0.0;
};

// The place classes that apply: "closer than a band", "band reaches the
// start", "band reaches the end".
std::vector<std::string> PlacesOf(const Neighbourhood& around);

} // namespace survey

#endif
