// Which manoeuvres a driver is told about, decided once for every route
// source (route files of each format, computed routes) over the route as
// read:
//
//  - a manoeuvre is a turn the driver must make (its turn is not straight
//    on, or another road a car may take leaves within `obviousDegrees` of
//    the way on), a roundabout, a ramp, a fork or merge, a via point, a
//    U-turn on the way, or the arrival; a route point or step that changes
//    nothing the driver does is dropped;
//  - a roundabout's entry and its exit, told apart by the source, are one
//    manoeuvre from the entry to the exit, with the exit number;
//  - manoeuvres closer than `collapseMetres` are one, from the junction of
//    the first to that of the last, typed by the turn over the whole stretch
//    and leading onto the road of the last (a staggered or divided crossing);
//  - nothing is told at the arrival but the arrival: a U-turn, or any turn
//    less than a metre before it, goes;
//  - a turn's class (straight on, slight, plain, sharp) is that of the turn
//    its road makes `windowMetres` either side of the junction, whatever
//    the source calls it, so that it names what the band shows;
//  - each instruction is worded from the manoeuvre's type, "onto X" only
//    where X is not the road the car is already on;
//  - the route points and steps dropped after a manoeuvre said only that the
//    car goes on: its continuation says how far, along the road it ends on
//    ("Continue on X for 2.3 km"), where the way on to the next manoeuvre
//    is `continueMetres` or more.
#ifndef ROUTEFILES_GUIDANCERULES_H
#define ROUTEFILES_GUIDANCERULES_H

#include "Route/RouteDescription.h"

namespace refhost
{

struct GuidanceOptions
{
    double collapseMetres = 30.0;
    // The turn into and out of a stretch is measured over this much route.
    double windowMetres = 20.0;
    double obviousDegrees = 45.0;
    // Below this the next manoeuvre is announced straight away (about half a
    // minute in town), so telling the driver to go on would say nothing.
    double continueMetres = 500.0;
};

// Applies the rules to `route.maneuvers` (the last one its arrival) and
// fills their distances to the next and continuations again; the links are
// left as they are.
void ApplyGuidanceRules(RouteDescription& route, const GuidanceOptions& options = {});

// What a route file's words say of a roundabout: whether `text` mentions
// one, whether they leave it ("Leave the roundabout", "exit the rotary"),
// and the exit number they give ("2nd exit", "exit 2", "second exit"; 0
// when none).
struct RoundaboutWords
{
    bool roundabout = false;
    bool leaves = false;
    int exit = 0;
};
RoundaboutWords ReadRoundaboutWords(const std::string& text);

// Drops what the source's own words and banner said of `maneuver`, where
// the host tells it otherwise (its class measured, its exit counted on the
// map, turns told as one): the caption then shows the generated words.
void ForgetFileWords(Maneuver& maneuver);

// What a roundabout manoeuvre's instruction calls its circle: the source's
// name for it, else "the roundabout".
std::string CircleOf(const Maneuver& maneuver);

} // namespace refhost

#endif
