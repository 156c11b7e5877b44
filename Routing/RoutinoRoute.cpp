#include "RoutinoRoute.h"

#include "Geodesy/ReferenceGeodesy.h"
#include "JunctionManeuver.h"
#include "RoadNaming.h"
#include "RouteFiles/GuidanceRules.h"
#include "RouteFiles/RouteAssembly.h"
#include "RouteFiles/RouteCredit.h"
#include "RouteFiles/RouteFiles.h"
#include "RouteFiles/TurnText.h"
#include "RouteNetwork.h"
#include "RoutinoEvents.h"
#include "RoutinoTrack.h"

#include <algorithm>
#include <set>
#include <utility>

namespace refhost::routing
{

namespace
{

std::string NameTo(const Track& track, size_t point)
{
    return point < track.roadTo.size() ? CaptionName(NamingOf(track.roadTo[point])) : std::string();
}

struct Planned
{
    Event event;
    Maneuver maneuver; // everything but the link indexes
};

// A junction's manoeuvre, if a driver is told about it there.
bool PlanJunction(const Event& event, const Track& track, const std::vector<double>& angles,
                  RouteNetwork& network, Maneuver& maneuver)
{
    const size_t p = event.point;
    JunctionView view;
    view.angle = angles[p];
    const geodesy::WindowEnds window = TurnWindow(track, p);
    view.inBearing = geodesy::Bearing(track.points[window.back], track.points[p]);
    view.outBearing = geodesy::Bearing(track.points[p], track.points[window.ahead]);
    view.previous = track.points[p - 1];
    view.next = track.points[p + 1];
    view.roadIn = track.roadTo[p];
    view.roadOut = track.roadTo[p + 1];
    view.routinoTurn = event.routinoTurn;
    view.roads = network.RoadsAt(p);
    const JunctionDecision decision = DecideJunction(view);
    if (!decision.announced)
        return false;
    maneuver.type = decision.type;
    maneuver.kind = decision.kind;
    maneuver.instruction = decision.instruction;
    maneuver.junctions = network.Junctions(p, p);
    return true;
}

void PlanRoundabout(const Event& event, const Track& track, RouteNetwork& network,
                    Maneuver& maneuver)
{
    const size_t p = event.point;
    const size_t exit = event.exitPoint;
    // Never the name of the road on the circle: roundabouts mostly carry the
    // name or number of a road through them.
    const std::string circle = "the roundabout";
    maneuver.type = NAV_TURN_ROUNDABOUT;
    maneuver.kind = ManeuverKind::Roundabout;
    maneuver.toName = NameTo(track, exit + 1);
    maneuver.junctions = network.Junctions(p, exit);
    // The exits a driver counts, where the junction roads are known: from
    // the entry, or from the route's start where it starts on the circle.
    maneuver.roundaboutExit =
        maneuver.junctions.empty() ? event.exitNumber : RoundaboutExitNumber(maneuver.junctions);
    if (p == 0) // the route starts on the roundabout: the manoeuvre is its exit
    {
        maneuver.kind = ManeuverKind::RoundaboutExit;
        maneuver.location = track.points[exit];
        maneuver.distanceFromStart = track.along[exit];
        // Routino's own number counts from an entry the route does not have.
        if (maneuver.junctions.empty())
            maneuver.roundaboutExit = 0;
        maneuver.instruction =
            routefiles::LeaveRoundaboutPhrase(circle, maneuver.roundaboutExit, maneuver.toName);
        return;
    }
    maneuver.instruction =
        routefiles::RoundaboutPhrase(circle, maneuver.roundaboutExit, maneuver.toName);
}

// Whether the route at junction `event` drives on a closed one-way ring that
// the map does not tag as a roundabout (Routino describes such a ring's
// junctions as any others', and may tell none where the route comes onto
// it): the event becomes the roundabout's, from where the route comes onto
// the ring to where it leaves. False when the ring is none or the route ends
// on it.
bool EntersUntaggedRing(Event& event, const Track& track, RouteNetwork& network)
{
    const size_t p = event.point;
    if (event.kind != EventKind::Junction || p == 0 || p + 2 >= track.points.size())
        return false;
    const std::vector<tagLonLat> ring =
        network.Around(p, p + 1).OneWayRingFrom(track.points[p], track.points[p + 1]);
    auto onRing = [&ring](const tagLonLat& point)
    {
        return std::any_of(ring.begin(), ring.end(),
                           [&point](const tagLonLat& node)
                           { return routefiles::ApproxMetres(point, node) <= 0.5; });
    };
    if (ring.empty())
        return false;
    size_t exit = p + 1;
    while (exit + 1 < track.points.size() && onRing(track.points[exit + 1]))
        ++exit;
    if (exit + 1 >= track.points.size())
        return false;
    // Routino may tell no junction where the route comes onto the ring.
    size_t entry = p;
    while (entry > 0 && onRing(track.points[entry - 1]))
        --entry;
    event.point = entry;
    event.kind = EventKind::Roundabout;
    event.exitPoint = exit;
    event.exitNumber = 0;
    return true;
}

std::vector<Planned> PlanManeuvers(const std::vector<Event>& events, const Track& track,
                                   const std::vector<double>& angles, RouteNetwork& network)
{
    std::vector<Planned> planned;
    size_t onRingUntil = 0; // the junctions of a ring up to its exit are the ring's
    for (Event event : events)
    {
        if (event.point > 0 && event.point <= onRingUntil)
            continue;
        if (EntersUntaggedRing(event, track, network))
            onRingUntil = event.exitPoint;
        const size_t p = event.point;
        const bool inside = p > 0 && p + 1 < track.points.size();
        if (!inside && event.kind != EventKind::Roundabout)
            continue; // a junction at the route's very start or end says nothing
        Planned plan;
        plan.event = event;
        Maneuver& maneuver = plan.maneuver;
        maneuver.location = track.points[p];
        maneuver.distanceFromStart = track.along[p];
        maneuver.fromName = p > 0 ? NameTo(track, p) : std::string();
        maneuver.toName = NameTo(track, p + 1);
        const NAV_TURN_TYPE_tag byAngle = ClassifyTurnAngle(angles[p]);
        switch (event.kind)
        {
        case EventKind::Junction:
            if (!PlanJunction(event, track, angles, network, maneuver))
                continue;
            break;
        case EventKind::Roundabout:
            PlanRoundabout(event, track, network, maneuver);
            break;
        case EventKind::EndsInRoundabout: // worded as the turn into it
            maneuver.type = byAngle;
            maneuver.instruction =
                routefiles::TurnPhrase(byAngle) + routefiles::Onto(maneuver.toName);
            maneuver.junctions = network.Junctions(p, p);
            break;
        case EventKind::Via:
            maneuver.kind = ManeuverKind::Waypoint;
            maneuver.type = byAngle;
            maneuver.instruction = routefiles::WaypointInstruction(
                static_cast<size_t>(std::max(1, event.waypoint - 1)), byAngle, maneuver.toName);
            maneuver.junctions = network.Junctions(p, p);
            break;
        }
        planned.push_back(std::move(plan));
    }
    return planned;
}

// The points where links end: road changes, manoeuvres, via points.
std::set<size_t> LinkEnds(const Track& track, const std::vector<Planned>& planned)
{
    const size_t last = track.points.size() - 1;
    std::set<size_t> ends = {last};
    for (size_t p = 1; p < last; ++p)
        if (track.roadTo[p] != track.roadTo[p + 1])
            ends.insert(p);
    for (const Planned& plan : planned)
    {
        if (plan.event.point > 0)
            ends.insert(plan.event.point);
        if (plan.event.kind == EventKind::Roundabout)
            ends.insert(plan.event.exitPoint);
    }
    return ends;
}

// Cuts the track into links at LinkEnds; the index of the link ending at
// each end point.
std::vector<size_t> AddLinks(RouteDescription& route, const Track& track,
                             const std::vector<Planned>& planned)
{
    std::vector<size_t> linkEndingAt(track.points.size(), 0);
    size_t start = 0;
    for (const size_t end : LinkEnds(track, planned))
    {
        RoadLink link;
        const RoadNaming naming = NamingOf(track.roadTo[start + 1]);
        link.name = naming.name;
        link.ref = naming.ref;
        const auto first = static_cast<std::ptrdiff_t>(start);
        const auto after = static_cast<std::ptrdiff_t>(end + 1);
        link.points.assign(track.points.begin() + first, track.points.begin() + after);
        link.times.assign(track.seconds.begin() + first, track.seconds.begin() + after);
        linkEndingAt[end] = route.links.size();
        route.links.push_back(std::move(link));
        start = end;
    }
    return linkEndingAt;
}

} // namespace

RouteDescription BuildRoutinoRoute(const RoutinoOutput& output, const std::string& sourceName,
                                   const NetworkSource& network)
{
    const std::vector<TrackNode> nodes =
        ReadAllNodesText(output.textAll, sourceName + " (Routino's all-nodes text)");
    const std::vector<RoutinoStep> steps =
        ReadHtmlSteps(output.html, sourceName + " (Routino's HTML)");
    const Track track = MakeTrack(nodes);
    const std::vector<size_t> stepPoints = StepPoints(steps, nodes, track, sourceName);
    const std::vector<double> angles = TurnAngles(track);
    RouteNetwork around(network, track);
    std::vector<Planned> planned =
        PlanManeuvers(ReadEvents(steps, stepPoints), track, angles, around);

    RouteDescription route;
    route.source = sourceName;
    route.credit = kOpenStreetMapCredit; // routed over OpenStreetMap data
    const std::vector<size_t> linkEndingAt = AddLinks(route, track, planned);
    for (Planned& plan : planned)
    {
        Maneuver& maneuver = plan.maneuver;
        maneuver.enterLink = plan.event.point > 0 ? linkEndingAt[plan.event.point] : 0;
        maneuver.exitLink =
            plan.event.kind == EventKind::Roundabout         ? linkEndingAt[plan.event.exitPoint]
            : plan.event.kind == EventKind::EndsInRoundabout ? route.links.size() - 1
                                                             : maneuver.enterLink;
        route.maneuvers.push_back(std::move(maneuver));
    }
    for (const TrackNode& node : nodes)
        if (node.waypoint > 1 && &node != &nodes.back())
            route.destinations.push_back(node.point);
    routefiles::AddArrival(route, track.points.back(), track.along.back(),
                           NameTo(track, track.points.size() - 1));
    routefiles::FinishRoute(route);
    ApplyGuidanceRules(route);
    double stated = 0.0;
    for (const TrackNode& node : nodes)
        stated += node.segmentMetres;
    route.statedDistance = stated;
    return route;
}

} // namespace refhost::routing
