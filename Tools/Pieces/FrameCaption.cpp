#include "FrameCaption.h"

#include "IndexPage.h"
#include "RouteFiles/ManeuverCaption.h"

namespace tools
{

FrameCaption CaptionOfFrame(const refhost::RouteModel& model,
                            const drive::ManeuverSchedule& schedule,
                            const drive::FrameRecord& frame)
{
    FrameCaption result;
    const std::string driven = FormatDistance(frame.vehicle.distance) + " of " +
                               FormatDistance(model.Length()) + " driven";
    if (!frame.next)
    {
        result.primary = "Arrived";
        result.distance = driven;
        return result;
    }
    const refhost::Maneuver& next = model.ManeuverAt(*frame.next);
    const double ahead = schedule.Maneuvers()[*frame.next].DistanceAhead(frame.vehicle.distance);
    const refhost::ManeuverCaption caption = refhost::CaptionFor(next);
    result.distance = "in " + FormatDistance(ahead) + " \xC2\xB7 " + driven;
    result.banner = !caption.bannerPrimary.empty();
    result.primary = result.banner ? caption.bannerPrimary : caption.instruction;
    result.secondary = caption.bannerSecondary;
    return result;
}

} // namespace tools
