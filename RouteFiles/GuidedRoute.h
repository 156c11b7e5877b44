// A route from a line of points and the instruction points placed along it:
// a GPX track with the route points of the same way (as routing engines write
// them), or GPX route points alone.
#ifndef ROUTEFILES_GUIDEDROUTE_H
#define ROUTEFILES_GUIDEDROUTE_H

#include "ReadOptions.h"

#include <string>
#include <vector>

namespace refhost::routefiles
{

struct InstructionPoint
{
    tagLonLat point = AP_INVALID_POINT;
    std::string instruction; // "turn left onto Chamissoweg"; may be empty
};

// A route point this far off the track or nearer is moved onto the track;
// farther, up to kCornerMetres, it becomes a point of the geometry (a coarse
// track that cuts the corner it turns at); farther still, it is placed at its
// nearest point of the track.
constexpr double kSnapMetres = 10.0;
constexpr double kCornerMetres = 50.0;

// The road an instruction names: the text after its last " onto " ("turn left
// onto Chamissoweg" -> "Chamissoweg"), without a final full stop; "" when it
// names none.
std::string RoadNamedIn(const std::string& instruction);

// Builds the route along `line` (valid points, no two consecutive ones equal;
// `times` empty or one non-decreasing number of seconds per point).
// `points` are placed along the line in driving order (PlaceAlongTrack,
// kCornerMetres). The first point and any other at the line's start are the
// departure: the last road they name names the first link. Every later point
// with an instruction is a manoeuvre (fileInstruction; the turn type from the
// line's change of direction there, measured over turnWindowMetres but never
// across the manoeuvres before and after it; the
// generated instruction from type and road), except those at the line's end,
// whose last instruction is the arrival's. Links end at the manoeuvres; the
// link after a manoeuvre takes the road its instruction names, or none.
// Times are relative to the line's first point, interpolated for the points
// that placing adds. Throws when the line has fewer than two points.
RouteDescription BuildGuidedRoute(const std::vector<tagLonLat>& line, std::vector<double> times,
                                  const std::vector<InstructionPoint>& points,
                                  const RouteReadOptions& options);

} // namespace refhost::routefiles

#endif
