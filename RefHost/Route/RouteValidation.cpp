#include "RouteValidation.h"

#include <cmath>
#include <sstream>

namespace refhost
{

namespace
{

std::string Where(const RouteDescription& description)
{
    return description.source.empty() ? std::string("route") : "route '" + description.source + "'";
}

std::string Describe(const tagLonLat& point)
{
    std::ostringstream text;
    text.precision(17);
    text << "(" << point.lon << ", " << point.lat << ")";
    return text.str();
}

bool IsNoPoint(const tagLonLat& point)
{
    return point.lon == AP_INVALID_POINT.lon && point.lat == AP_INVALID_POINT.lat;
}

bool IsKnownTurnType(NAV_TURN_TYPE_tag type)
{
    int value = static_cast<int>(type);
    return value >= NAV_TURN_NONE && value <= NAV_TURN_FORK;
}

} // namespace

bool IsValidPosition(const tagLonLat& point)
{
    // Written so that NaN fails every comparison.
    return point.lon > -180.0 && point.lon < 180.0 && point.lat > -90.0 && point.lat < 90.0;
}

namespace
{

// Each check answers the first problem it finds, as a sentence after the
// route's name, or an empty text.
std::string LinkProblem(const std::string& where, size_t i, const RoadLink& link)
{
    if (link.points.size() < 2)
        return where + ": link " + std::to_string(i) + " has " +
               std::to_string(link.points.size()) + " point(s); a link needs at least two";
    for (size_t p = 0; p < link.points.size(); ++p)
    {
        if (!IsValidPosition(link.points[p]))
            return where + ": link " + std::to_string(i) + ", point " + std::to_string(p) + " " +
                   Describe(link.points[p]) +
                   " is not a position (finite, -180 < lon < 180, -90 < lat < 90)";
    }
    if (link.times.empty())
        return {};
    if (link.times.size() != link.points.size())
        return where + ": link " + std::to_string(i) + " has " + std::to_string(link.times.size()) +
               " times for " + std::to_string(link.points.size()) + " points";
    for (size_t p = 0; p < link.times.size(); ++p)
    {
        if (!std::isfinite(link.times[p]) || (p > 0 && link.times[p] < link.times[p - 1]))
            return where + ": link " + std::to_string(i) + ", time " + std::to_string(p) +
                   " is not a finite number of seconds at or after the one before";
    }
    return {};
}

std::string PlaceProblem(const std::string& where, const RouteDescription& description)
{
    if (!IsNoPoint(description.origin) && !IsValidPosition(description.origin))
        return where + ": origin " + Describe(description.origin) + " is not a position";
    for (size_t d = 0; d < description.destinations.size(); ++d)
    {
        if (!IsValidPosition(description.destinations[d]))
            return where + ": destination " + std::to_string(d) + " " +
                   Describe(description.destinations[d]) + " is not a position";
    }
    return {};
}

std::string ManeuverProblem(const std::string& where, size_t m, const Maneuver& maneuver,
                            size_t linkCount)
{
    const std::string which = where + ": manoeuvre " + std::to_string(m);
    if (maneuver.enterLink >= linkCount)
        return which + ": enterLink " + std::to_string(maneuver.enterLink) + " is out of range (" +
               std::to_string(linkCount) + " links)";
    if (maneuver.exitLink >= linkCount)
        return which + ": exitLink " + std::to_string(maneuver.exitLink) + " is out of range (" +
               std::to_string(linkCount) + " links)";
    if (maneuver.enterLink > maneuver.exitLink)
        return which + ": enterLink " + std::to_string(maneuver.enterLink) +
               " lies after exitLink " + std::to_string(maneuver.exitLink);
    if (!IsKnownTurnType(maneuver.type))
        return which + ": unknown turn type " + std::to_string(static_cast<int>(maneuver.type));
    return {};
}

} // namespace

std::string ValidateRouteDescription(const RouteDescription& description)
{
    const std::string where = Where(description);
    if (description.links.empty())
        return where + ": no links";
    for (size_t i = 0; i < description.links.size(); ++i)
    {
        std::string problem = LinkProblem(where, i, description.links[i]);
        if (!problem.empty())
            return problem;
    }
    std::string problem = PlaceProblem(where, description);
    if (!problem.empty())
        return problem;
    for (size_t m = 0; m < description.maneuvers.size(); ++m)
    {
        problem = ManeuverProblem(where, m, description.maneuvers[m], description.links.size());
        if (!problem.empty())
            return problem;
    }
    return {};
}

} // namespace refhost
