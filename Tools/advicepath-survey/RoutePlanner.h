// The points of the survey's routes over an extract, reproducible from a
// seed. Random pairs of points alone seldom pass the junctions that go wrong
// most (roundabouts by every exit, ramps, U-turns, manoeuvres right at the
// start or end), so most routes are aimed at one: the start is found by
// walking back from it along roads a car may drive towards it, the end by
// walking on from it along roads a car may leave on.
//
//   random      two nodes 300 m to 3 km apart
//   roundabout  from an entry of a roundabout 200 to 500 m out to a third
//               each: any exit, one of its last three exits, or the 5th exit
//               or a later one of a roundabout that has them; the far exits
//               through a point 20 to 60 m out on them, then 150 to 400 m on
//   ramp        through a motorway or trunk link, 200 to 700 m either side
//   junction    through a node where three or more roads meet, 10 to 80 m
//               either side: manoeuvres within a band of the start and end
//   u-turn      to the end of a dead end and back: three points
//
// Points are nodes of the extract, whose coordinates have seven decimals: a
// point printed with seven decimals is the same point.
#ifndef TOOLS_SURVEY_ROUTEPLANNER_H
#define TOOLS_SURVEY_ROUTEPLANNER_H

#include "ExtractRoads.h"

#include <cstdint>
#include <string>
#include <vector>

namespace survey
{

struct PlannedRoute
{
    std::string aim; // "random", "roundabout", "ramp", "junction", "u-turn"
    std::vector<tagLonLat> points;
};

// `count` routes over `roads`; the same seed gives the same routes. Aims an
// extract has no place for (no roundabout, no ramp, no dead end) give their
// share to random routes.
std::vector<PlannedRoute> PlanRoutes(const ExtractRoads& roads, std::size_t count, uint64_t seed);

// "51.1915754,14.4127493": a point as the tools read it, seven decimals.
std::string LatLonText(const tagLonLat& point);

} // namespace survey

#endif
