// Where the points of a coarser line (the route points of a GPX route) lie
// along a finer one (its track), found in driving order.
#ifndef ROUTEFILES_TRACKPLACEMENT_H
#define ROUTEFILES_TRACKPLACEMENT_H

#include "LonLat.h"

#include <cstddef>
#include <vector>

namespace refhost::routefiles
{

struct TrackPosition
{
    size_t segment = 0;     // the segment from track[segment] to track[segment + 1]
    double fraction = 0.0;  // 0 ... 1 along it
    double metresOff = 0.0; // from the placed point to this place of the track
};

// Places each of `points` on `track` (two or more points, no two consecutive
// ones equal), each no earlier than the one before: at the first place after
// the previous one where the track comes nearest to the point (a local
// minimum of the distance) within `searchMetres`. Where that place lies on the
// segment the search begins on and passes the point farther than
// `reachedMetres`, and the track reaches the point (comes within
// `reachedMetres`) within the next 100 m and before it reaches the next point,
// it is there instead: a track that leaves the previous place by a loop or a
// bend passes the point at a distance first.
// Where no place lies within `searchMetres`, at the nearest place of the rest
// of the track. Distances are those of the local flat approximation
// (ApproxMetres). The work is bounded (some 50 segment tests per track point):
// once spent, the remaining points are placed where the previous one was.
std::vector<TrackPosition> PlaceAlongTrack(const std::vector<tagLonLat>& track,
                                           const std::vector<tagLonLat>& points,
                                           double searchMetres, double reachedMetres);

// The point at `fraction` of the segment from `a` to `b` (linear in degrees,
// which is good for the short segments of a track).
tagLonLat PointBetween(const tagLonLat& a, const tagLonLat& b, double fraction);

} // namespace refhost::routefiles

#endif
