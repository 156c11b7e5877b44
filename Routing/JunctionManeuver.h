// Whether a junction that Routino describes is a manoeuvre a driver is told
// about, and in which words. Routino lists every junction where the road
// changes or roads of its kind meet, also those passed straight on; the turn
// itself is measured on the route's own track (Routino's text output gives
// some left turns one step too far to the left or right).
#ifndef ADVICEPATH_ROUTING_JUNCTIONMANEUVER_H
#define ADVICEPATH_ROUTING_JUNCTIONMANEUVER_H

#include "RoadNetworkPart.h"
#include "Route/RouteDescription.h"
#include "RouteLibrary.h"

#include <string>
#include <vector>

namespace refhost::routing
{

struct JunctionView
{
    // The change of direction on the track, degrees, positive to the right.
    double angle = 0.0;
    // The directions the route comes in and leaves in, measured like the
    // roads' bearings.
    double inBearing = 0.0;
    double outBearing = 0.0;
    tagLonLat previous = AP_INVALID_POINT; // the route's nodes either side
    tagLonLat next = AP_INVALID_POINT;
    std::string roadIn; // the roads as Routino writes them (RoutinoText.h)
    std::string roadOut;
    std::string routinoTurn;         // Routino's word: "Straight on", "Slight left", ...
    std::vector<JunctionRoad> roads; // every road at the junction; empty when unknown
};

struct JunctionDecision
{
    bool announced = false;
    NAV_TURN_TYPE_tag type = NAV_TURN_STRAIGHT;
    ManeuverKind kind = ManeuverKind::Turn;
    std::string instruction;
};

// A turn (the track turns by 20 degrees or more, unless Routino goes straight
// on and the road only bends), a fork (the road changes, the route turns by
// less than 45 degrees and another road a car may take leaves within 45
// degrees of both the route and the way in), or a ramp (the route changes
// onto an unnamed motorway or trunk road: the exit from one of those, else
// the ramp onto one); nothing else.
JunctionDecision DecideJunction(const JunctionView& view);

// The roads at the junction that cars may use, other than the two the route
// comes in on and leaves by: their bearings, and whether a car may leave on
// each.
JunctionRoads OtherRoads(const std::vector<JunctionRoad>& roads, const tagLonLat& junction,
                         const tagLonLat& previous, const tagLonLat& next);

// The number of the exit a route takes from a roundabout: one more than the
// roads off the circle a car may leave on at the junctions strictly between
// its entry and its exit (`junctions`: from the entry, or the route's start
// on the circle, to the exit, as RouteNetwork::Junctions gives them).
// Routino counts every road that meets the circle, footways too.
int RoundaboutExitNumber(const std::vector<JunctionRoads>& junctions);

} // namespace refhost::routing

#endif
