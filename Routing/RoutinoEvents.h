// What Routino's HTML says happens along the route, placed on the track:
// junctions, roundabouts from their entry to their exit, via points.
#ifndef ADVICEPATH_ROUTING_ROUTINOEVENTS_H
#define ADVICEPATH_ROUTING_ROUTINOEVENTS_H

#include "RoutinoHtml.h"
#include "RoutinoTrack.h"

#include <string>
#include <vector>

namespace refhost::routing
{

enum class EventKind
{
    Junction,
    Roundabout,       // entered at `point` (the start when 0), left at `exitPoint`
    EndsInRoundabout, // entered at `point`, never left
    Via,
};

struct Event
{
    EventKind kind = EventKind::Junction;
    size_t point = 0;
    size_t exitPoint = 0;
    int exitNumber = 0;
    int waypoint = 0;
    std::string routinoTurn;
};

// The track point of each step, found in driving order (the stop at the
// last node). Throws RoutingFailure naming `sourceName` when a step is not
// on the track.
std::vector<size_t> StepPoints(const std::vector<RoutinoStep>& steps,
                               const std::vector<TrackNode>& nodes, const Track& track,
                               const std::string& sourceName);

// The events of the steps, in order: every junction that is not the entry
// of a roundabout, one Roundabout from each entry to its exit (the start
// when the route starts on one), via points.
std::vector<Event> ReadEvents(const std::vector<RoutinoStep>& steps,
                              const std::vector<size_t>& stepPoints);

} // namespace refhost::routing

#endif
