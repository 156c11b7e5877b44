// What a drive's frame says above the map: the next manoeuvre in the route
// file's words (its banner where the file has one, as a device shows it) and
// how far away it is, or the arrival. Shared by the animation of
// advicepath-replay and the browser page.
#ifndef TOOLS_PIECES_FRAMECAPTION_H
#define TOOLS_PIECES_FRAMECAPTION_H

#include "Drive/DriveReplay.h"
#include "Drive/ManeuverSchedule.h"
#include "Route/RouteModel.h"

#include <string>

namespace tools
{

struct FrameCaption
{
    // Either a banner (primary large, secondary below it) or, when the file
    // has none, the instruction alone in `primary` with `banner` false.
    bool banner = false;
    std::string primary;   // "Turn right onto Sacramento Street", "Arrived"
    std::string secondary; // the banner's second line; may be empty
    // "in 120 m · 1.4 km of 4.3 km driven", or "4.3 km of 4.3 km driven".
    std::string distance;
};

// The caption of `frame` on `model`, whose drive has `schedule`; the distance
// is the schedule's (ScheduledManeuver::DistanceAhead).
FrameCaption CaptionOfFrame(const refhost::RouteModel& model,
                            const drive::ManeuverSchedule& schedule,
                            const drive::FrameRecord& frame);

} // namespace tools

#endif
