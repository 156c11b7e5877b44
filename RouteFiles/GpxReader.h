// GPX tracks and routes as routes.
#ifndef ROUTEFILES_GPXREADER_H
#define ROUTEFILES_GPXREADER_H

#include "ReadOptions.h"

#include <string_view>

namespace refhost::routefiles
{

// Reads a GPX document: the track points (trk/trkseg/trkpt, all tracks and
// segments in order) with their <time>s, and the route points (rte/rtept)
// with their instructions (<desc>, else <cmt>, else <name>). When route
// points carry instructions, they give the manoeuvres along the track
// (BuildGuidedRoute), or along the route points themselves when there is no
// track; otherwise the track, else the route points, is a track route
// (BuildTrackRoute) with no road names. Times, in seconds since the first
// track point, are kept when every track point has one. Throws
// RouteFileError, with line:column for malformed XML and for a point with bad
// coordinates or a <time> that is no date and time or earlier than the one
// before.
RouteDescription ReadGpx(std::string_view text, const RouteReadOptions& options);

} // namespace refhost::routefiles

#endif
