// Times of track points: reading a time stamp, and handing a track's point
// times to the links a track route is cut into.
#ifndef ROUTEFILES_POINTTIMES_H
#define ROUTEFILES_POINTTIMES_H

#include "Route/RouteDescription.h"

#include <string_view>
#include <vector>

namespace refhost::routefiles
{

// Seconds since 1970-01-01T00:00:00Z of an ISO 8601 date and time
// "YYYY-MM-DDThh:mm:ss" with optional fractional seconds and an optional zone
// ("Z", "+hh:mm", "-hhmm"; none means UTC); a blank may stand for the "T",
// and blanks around the text (as XML elements keep them) are ignored.
// False, `seconds` unchanged, for anything else (also for a month 13 or a
// minute 60; a leap second 60 is accepted).
bool ParseIsoTime(std::string_view text, double& seconds);

// Sets the links' times from `times`, one per point of the track that
// BuildTrackRoute cut `route` from (consecutive links share their joining
// point), relative to the first. Does nothing unless the counts agree.
void AssignTrackTimes(RouteDescription& route, const std::vector<double>& times);

} // namespace refhost::routefiles

#endif
