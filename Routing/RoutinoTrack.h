// The route's track as Routino's all-nodes text gives it: the line of its
// nodes, the metres and seconds along it, the road of each segment, where
// roads meet, and the turn at each point measured on the line itself.
#ifndef ADVICEPATH_ROUTING_ROUTINOTRACK_H
#define ADVICEPATH_ROUTING_ROUTINOTRACK_H

#include "Geodesy/Angles.h"
#include "RoutinoText.h"

#include <cstddef>
#include <string>
#include <vector>

namespace refhost::routing
{

// Whether two coordinates of Routino's outputs (6 decimals) are one place.
bool SamePoint(const tagLonLat& a, const tagLonLat& b);

// The route's nodes as a line without repeated points, with the metres
// along it, the seconds from the start and the roads between its points.
struct Track
{
    std::vector<tagLonLat> points;
    std::vector<double> along;
    std::vector<double> seconds;
    std::vector<std::string> roadTo; // the road of the segment ending at each point ("" at 0)
    std::vector<bool> junction;      // where roads meet or change (or a waypoint is)
    std::vector<size_t> pointOfNode;
};

// The track of the nodes. Seconds: the durations of each run of segments on
// one road at one speed, spread over the run's length (Routino writes each
// duration to a hundredth of a minute, so a single short segment reads 0; a
// whole run that reads 0 takes its length at the profile's speed, at most
// 0.6 s); a node repeated in place keeps the later time. Throws RoutingFailure when
// fewer than two distinct points remain.
Track MakeTrack(const std::vector<TrackNode>& nodes);

// The points the directions into and out of `point` (neither end of the
// track) are measured from and to: 20 m of track either side, but not past
// the junctions before and after it (whose own turns would count).
geodesy::WindowEnds TurnWindow(const Track& track, size_t point);

// The change of direction at each point (0 at the ends), degrees, positive
// to the right, over 20 m of track either side, across the junctions within
// them: the turn the driver makes there, which is what the junction band
// shows. A junction drawn with a bend in it reads as one turn, and so do two
// junctions a few metres apart that the route turns at (a bend at one and a
// change of road at the next); a turn seen from two junctions makes two
// manoeuvres closer than the guidance rules' collapse distance, which they
// tell as one.
std::vector<double> TurnAngles(const Track& track);

} // namespace refhost::routing

#endif
