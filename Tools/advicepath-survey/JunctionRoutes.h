// Every junction of an extract's car network and every turn a car may make
// there, each as a short route of its own, built on the road graph without
// the routing engine.
//
// A junction is a node where three or more segment ends meet (a way passing
// through counts twice); a node of a roundabout's circle is one too. The
// turns: at a plain junction each segment a car may arrive on to each other
// one it may leave on, as the one-way rule and the turn restrictions allow;
// at a circle's node where a road enters it, each exit of the circle from
// that entry (the entry's own road left out); and at a dead end (a node with
// one two-way segment) the U-turn. Junctions are numbered in the extract's
// order of their first mention, so that a run, and a shard of it, visits them
// in the same order every time.
#ifndef TOOLS_SURVEY_JUNCTIONROUTES_H
#define TOOLS_SURVEY_JUNCTIONROUTES_H

#include "ExtractRoads.h"

#include "Route/RouteDescription.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace survey
{

struct JunctionTurn
{
    uint32_t node = 0; // the junction (a dead end for a U-turn)
    uint32_t in = 0;   // segment arrived on
    uint32_t out = 0;  // segment left on (the circle's exit for a roundabout)
    // For a roundabout: the circle's nodes from the entry to the exit.
    std::vector<uint32_t> circle;
    bool uTurn = false;
};

struct JunctionCount
{
    std::size_t junctions = 0; // nodes where three or more segment ends meet
    std::size_t deadEnds = 0;  // nodes with one two-way segment
};

// The nodes visited, in order: the junctions, then the dead ends.
std::vector<uint32_t> VisitOrder(const ExtractRoads& roads, JunctionCount& count);

// The turns a car may make at `node`.
std::vector<JunctionTurn> TurnsAt(const ExtractRoads& roads, uint32_t node);

// The short route of `turn`: back along the entering road at least `before`
// metres, through the junction, on along the leaving road at least `after`
// metres, taking the straightest road a car may drive on where one ends (and
// stopping short at a dead end or where the road comes back on itself). The
// one manoeuvre is named by the host's junction rules (Routing's
// DecideJunction; a turn they would not announce is named by its angle); a
// roundabout's by its exit number. `source` names the route.
refhost::RouteDescription ShortRoute(const ExtractRoads& roads, const JunctionTurn& turn,
                                     double before, double after, const std::string& source);

} // namespace survey

#endif
