#include "RouteModel.h"

#include "Geodesy/ReferenceGeodesy.h"
#include "GuideRecords.h"
#include "RouteData.h"
#include "RouteValidation.h"
#include "TurnInfo.h"

#include <atomic>
#include <cmath>
#include <utility>

namespace refhost
{

using route_detail::kMaxLinkPoints;
using route_detail::ModelLink;
using route_detail::RouteData;

namespace
{

uint32_t NextIdentity()
{
    static std::atomic<uint32_t> next{1};
    uint32_t identity = next.fetch_add(1, std::memory_order_relaxed);
    if (identity == 0) // after wrapping: 0 is what a zeroed record holds
        identity = next.fetch_add(1, std::memory_order_relaxed);
    return identity;
}

bool SamePoint(const tagLonLat& a, const tagLonLat& b)
{
    return std::fabs(a.lon - b.lon) <= AP_POINT_EPSILON &&
           std::fabs(a.lat - b.lat) <= AP_POINT_EPSILON;
}

// Cuts `link` into pieces of at most kMaxLinkPoints points; each piece starts
// with the last point of the one before, so the line stays continuous.
// Returns the index of the last piece in `links`.
size_t AppendPieces(const RoadLink& link, size_t sourceIndex, std::vector<ModelLink>& links)
{
    const std::vector<tagLonLat>& points = link.points;
    size_t start = 0;
    for (;;)
    {
        size_t end =
            points.size() - start > kMaxLinkPoints ? start + kMaxLinkPoints : points.size();
        ModelLink piece;
        piece.points.assign(points.begin() + static_cast<std::ptrdiff_t>(start),
                            points.begin() + static_cast<std::ptrdiff_t>(end));
        if (!link.times.empty())
            piece.times.assign(link.times.begin() + static_cast<std::ptrdiff_t>(start),
                               link.times.begin() + static_cast<std::ptrdiff_t>(end));
        piece.name = link.name.empty() ? link.ref : link.name;
        piece.attr1 = link.attr1;
        piece.attr2 = link.attr2;
        piece.sourceLink = sourceIndex;
        links.push_back(std::move(piece));
        if (end == points.size())
            return links.size() - 1;
        start = end - 1;
    }
}

} // namespace

RouteModel::RouteModel(const std::shared_ptr<const RouteData>& route)
    : PathView(route, 0, route ? route->links.size() : 0)
{
}

std::optional<RouteModel> RouteModel::FromDescription(const RouteDescription& description,
                                                      std::string& error)
{
    error = ValidateRouteDescription(description);
    if (!error.empty())
        return std::nullopt;

    auto route = std::make_shared<RouteData>();
    route->identity = NextIdentity();
    route->source = description.source;
    route->credit = description.credit;
    route->origin = IsValidPosition(description.origin) ? description.origin : AP_INVALID_POINT;
    route->destinations = description.destinations;

    std::vector<size_t> lastPieceOf(description.links.size());
    for (size_t i = 0; i < description.links.size(); ++i)
        lastPieceOf[i] = AppendPieces(description.links[i], i, route->links);
    // The head words hold link indexes in 32 bits.
    if (route->links.size() >= UINT32_MAX)
    {
        error = "route '" + description.source + "': too many links";
        return std::nullopt;
    }

    double distance = 0.0;
    for (ModelLink& link : route->links)
    {
        link.length = geodesy::LineLength(static_cast<unsigned short>(link.points.size()),
                                          link.points.data());
        link.startDistance = distance;
        distance += link.length;
    }
    route->length = distance;

    route->maneuvers = description.maneuvers;
    for (Maneuver& maneuver : route->maneuvers)
    {
        // Both guides end at a junction point: the end of the source link,
        // which is the end of its last piece.
        maneuver.enterLink = lastPieceOf[maneuver.enterLink];
        maneuver.exitLink = lastPieceOf[maneuver.exitLink];
        if (!IsValidPosition(maneuver.location))
            maneuver.location = route->links[maneuver.enterLink].points.back();
    }
    if (!route->maneuvers.empty())
        route->maneuvers.back().type = NAV_TURN_END;

    return RouteModel(std::move(route));
}

size_t RouteModel::LinkCount() const
{
    return m_route->links.size();
}
const std::vector<tagLonLat>& RouteModel::LinkPoints(size_t link) const
{
    return m_route->links[link].points;
}
const std::vector<double>& RouteModel::LinkTimes(size_t link) const
{
    return m_route->links[link].times;
}
const std::string& RouteModel::LinkName(size_t link) const
{
    return m_route->links[link].name;
}
double RouteModel::LinkLength(size_t link) const
{
    return m_route->links[link].length;
}
double RouteModel::LinkStartDistance(size_t link) const
{
    return m_route->links[link].startDistance;
}
size_t RouteModel::SourceLink(size_t link) const
{
    return m_route->links[link].sourceLink;
}
double RouteModel::Length() const
{
    return m_route->length;
}
const std::string& RouteModel::Source() const
{
    return m_route->source;
}
const std::string& RouteModel::Credit() const
{
    return m_route->credit;
}
bool RouteModel::HasOrigin() const
{
    return IsValidPosition(m_route->origin);
}
tagLonLat RouteModel::Origin() const
{
    return m_route->origin;
}
const std::vector<tagLonLat>& RouteModel::Destinations() const
{
    return m_route->destinations;
}
size_t RouteModel::ManeuverCount() const
{
    return m_route->maneuvers.size();
}
const Maneuver& RouteModel::ManeuverAt(size_t maneuver) const
{
    return m_route->maneuvers[maneuver];
}
uint32_t RouteModel::Identity() const
{
    return m_route->identity;
}

NavGuid RouteModel::GuideOf(size_t link) const
{
    NavGuid guide;
    route_detail::WriteGuide(*m_route, link, 0, LinkCount(), guide);
    return guide;
}

CTurnInfo RouteModel::TurnInfoFor(size_t maneuver) const
{
    if (maneuver >= ManeuverCount())
        return {};
    const Maneuver& m = m_route->maneuvers[maneuver];
    NavGuid enter = GuideOf(m.enterLink);
    NavGuid exit = GuideOf(m.exitLink);
    return MakeTurnInfo(m.type, &enter, &exit);
}

PathView RouteModel::ViewFrom(size_t firstLink) const
{
    return {m_route, firstLink, LinkCount()};
}

PathView RouteModel::ViewRange(size_t firstLink, size_t endLink) const
{
    return {m_route, firstLink, endLink};
}

size_t RouteModel::ViewStartForManeuver(size_t maneuver, double lengthBefore) const
{
    if (maneuver >= ManeuverCount())
        return LinkCount();
    const size_t enterLink = m_route->maneuvers[maneuver].enterLink;
    const tagLonLat junction = m_route->links[enterLink].points.back();
    size_t first = enterLink;
    double length = m_route->links[enterLink].length;
    while (first > 0 && length < lengthBefore)
    {
        const ModelLink& before = m_route->links[first - 1];
        // An earlier link ending at the junction point would be taken for the
        // entering guide by a walk from the start: stop after it.
        if (SamePoint(before.points.back(), junction))
            break;
        --first;
        length += before.length;
    }
    return first;
}

PathView RouteModel::ViewForManeuver(size_t maneuver, double lengthBefore) const
{
    return ViewFrom(ViewStartForManeuver(maneuver, lengthBefore));
}

} // namespace refhost
