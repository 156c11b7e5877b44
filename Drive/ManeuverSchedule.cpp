#include "ManeuverSchedule.h"

#include "Drive/RouteTimeline.h"
#include "Route/RouteModel.h"

#include <algorithm>

namespace drive
{

using refhost::Maneuver;
using refhost::RouteModel;

namespace
{

double LinkEnd(const RouteModel& route, size_t link)
{
    return route.LinkStartDistance(link) + route.LinkLength(link);
}

} // namespace

double ScheduledManeuver::DistanceAhead(double metres) const
{
    if (metres <= junction)
        return junction - metres;
    return std::max(0.0, passed - metres);
}

ManeuverSchedule::ManeuverSchedule(const RouteModel& route, const RouteTimeline& timeline,
                                   const AnnouncementRule& rule)
{
    double previousPassed = 0.0;
    for (size_t m = 0; m < route.ManeuverCount(); ++m)
    {
        const Maneuver& maneuver = route.ManeuverAt(m);
        ScheduledManeuver entry;
        entry.maneuver = m;
        entry.arrival = maneuver.type == NAV_TURN_END;
        entry.junction = LinkEnd(route, maneuver.enterLink);
        entry.passed =
            std::max({entry.junction, LinkEnd(route, maneuver.exitLink), previousPassed});
        const double byTime = timeline.DistanceAtTime(timeline.TimeAtDistance(entry.junction) -
                                                      std::max(0.0, rule.seconds));
        double announce = std::min(entry.junction - std::max(0.0, rule.minMetres), byTime);
        // Not before a link ahead that ends at this junction point as well.
        const size_t safeStart = route.ViewStartForManeuver(m, entry.junction - announce);
        announce = std::max({announce, route.LinkStartDistance(safeStart), previousPassed, 0.0});
        entry.announce = announce;
        entry.announced = !entry.arrival && announce < entry.junction;
        previousPassed = entry.passed;
        m_maneuvers.push_back(entry);
    }
}

size_t ManeuverSchedule::NextAt(double metres) const
{
    // Passed distances grow along the route: the first one beyond `metres`.
    return static_cast<size_t>(std::upper_bound(m_maneuvers.begin(), m_maneuvers.end(), metres,
                                                [](double d, const ScheduledManeuver& m)
                                                { return d < m.passed; }) -
                               m_maneuvers.begin());
}

} // namespace drive
