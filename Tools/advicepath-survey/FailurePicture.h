// A picture of a failure: the frame that failed as the library drew it, on
// the reference map view, with the route's track under it in grey, the
// vehicle and a caption saying what is wrong.
#ifndef TOOLS_SURVEY_FAILUREPICTURE_H
#define TOOLS_SURVEY_FAILUREPICTURE_H

#include "RouteSurvey.h"
#include "RouteTrack.h"

#include <string>

namespace survey
{

// Writes `frame` to `path` (PNG); false with `error` naming the file.
// `caption` and `problem` are the two caption lines; `openStreetMap` adds
// the data's attribution. With `asShown` the picture is the frame's own view
// (a failure of the drive); else it frames the band, north up.
bool WriteFailurePicture(const FailedFrame& frame, const RouteTrack& track,
                         const std::string& caption, const std::string& problem, bool openStreetMap,
                         bool asShown, const std::string& path, std::string& error);

} // namespace survey

#endif
