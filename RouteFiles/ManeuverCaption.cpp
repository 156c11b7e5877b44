#include "ManeuverCaption.h"

namespace refhost
{

namespace
{

std::string RoadNames(const Maneuver& maneuver)
{
    const std::string& from = maneuver.fromName;
    const std::string& to = maneuver.toName;
    if (to.empty() || from == to)
        return from.empty() ? to : from;
    if (from.empty())
        return to;
    return from + " \xE2\x86\x92 " + to;
}

} // namespace

ManeuverCaption CaptionFor(const Maneuver& maneuver)
{
    ManeuverCaption caption;
    caption.fromFile = !maneuver.fileInstruction.empty();
    caption.instruction = caption.fromFile ? maneuver.fileInstruction : maneuver.instruction;
    if (caption.instruction.empty())
        caption.instruction = "Manoeuvre";
    caption.bannerPrimary = maneuver.bannerPrimary;
    caption.bannerSecondary =
        maneuver.bannerPrimary.empty() ? std::string() : maneuver.bannerSecondary;
    caption.roads = RoadNames(maneuver);
    caption.continuation = maneuver.continuation;
    return caption;
}

} // namespace refhost
