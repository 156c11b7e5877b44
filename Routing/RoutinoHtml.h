// Routino's HTML output (router --output-html, English): one row of
// coordinates, one of instruction and one of the road followed after it, for
// each point it describes.
//
//     <tr class='c'><td>5: 42.512105 1.536589
//     <tr class='n'><td>At Junction, go <span class='t'>Sharp right</span> heading ...
//     <tr class='s'><td>Follow <span class='h'>Roundabout</span> for ...
//     <tr class='c'><td>6: 42.512106 1.536755
//     <tr class='n'><td>Leave Roundabout, take the <span class='t'>First</span> exit ...
//
// Its roads on a roundabout read "Roundabout" and its exits are counted,
// which the text outputs do not show.
#ifndef ADVICEPATH_ROUTING_ROUTINOHTML_H
#define ADVICEPATH_ROUTING_ROUTINOHTML_H

#include "LonLat.h"

#include <string>
#include <string_view>
#include <vector>

namespace refhost::routing
{

enum class StepKind
{
    Start,           // "Start at Waypoint#1, head South"
    Junction,        // "At Junction, go Right heading South-West"
    Waypoint,        // "At Waypoint#2, go Straight on heading East" (a via point)
    LeaveRoundabout, // "Leave Roundabout, take the Third exit heading East"
    Stop,            // "Stop at Waypoint#3"
};

struct RoutinoStep
{
    tagLonLat point = AP_INVALID_POINT;
    StepKind kind = StepKind::Junction;
    std::string turn;             // "Right", "Straight on", ... for junctions and via points
    int exit = 0;                 // 1 ... 10 when leaving a roundabout, 0 when not counted
    int waypoint = 0;             // N of "Waypoint#N"
    bool roundaboutAhead = false; // the road followed from here is a roundabout
    std::string roadAhead;        // the road followed from here, as written
};

// The described points in driving order. Throws RoutingFailure
// "<sourceName>:<line>: <problem>" for rows it cannot read, and when the
// output has no start or no stop.
std::vector<RoutinoStep> ReadHtmlSteps(std::string_view html, const std::string& sourceName);

} // namespace refhost::routing

#endif
