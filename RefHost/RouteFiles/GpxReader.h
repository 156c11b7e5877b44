// GPX tracks and routes as routes.
#ifndef REFHOST_ROUTEFILES_GPXREADER_H
#define REFHOST_ROUTEFILES_GPXREADER_H

#include "RouteFiles.h"

#include <string_view>

namespace refhost::routefiles
{

// Reads the track points (trk/trkseg/trkpt, all tracks and segments in order)
// or, when there are none, the route points (rte/rtept) of a GPX document into
// a track route. Throws RouteFileError, with line:column for malformed XML.
RouteDescription ReadGpx(std::string_view text, const RouteReadOptions& options);

} // namespace refhost::routefiles

#endif
