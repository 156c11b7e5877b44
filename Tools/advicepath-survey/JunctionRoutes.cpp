#include "JunctionRoutes.h"

#include "Geodesy/Angles.h"
#include "Geodesy/ReferenceGeodesy.h"
#include "RouteFiles/RouteAssembly.h"
#include "RouteFiles/TurnClass.h"
#include "RouteFiles/TurnText.h"
#include "Routing/JunctionManeuver.h"
#include "Routing/RoadNaming.h"

#include <algorithm>
#include <cmath>

namespace survey
{

namespace
{

using refhost::geodesy::TurnAngle;
using refhost::routefiles::Metres;

// The window the turn at the junction is measured over, metres either side,
// as the routing front measures it.
constexpr double kTurnWindowMetres = 20.0;
// Nodes walked at most along a road or round a circle.
constexpr std::size_t kMostSteps = 2000;

bool OnCircle(const ExtractRoads& roads, uint32_t node)
{
    const std::vector<uint32_t>& at = roads.SegmentsAt(node);
    return std::any_of(at.begin(), at.end(),
                       [&roads](uint32_t s) { return roads.Segments()[s].roundabout; });
}

double BearingBetween(const ExtractRoads& roads, uint32_t from, uint32_t to)
{
    return refhost::geodesy::Bearing(roads.Point(from), roads.Point(to));
}

// The road on from `next` (reached from `at` along `segment`) a car may
// drive along that goes on straightest; `segment` itself when there is none.
uint32_t Straightest(const ExtractRoads& roads, uint32_t at, uint32_t next, uint32_t segment,
                     bool backwards)
{
    const double heading = BearingBetween(roads, at, next);
    double best = 360.0;
    uint32_t chosen = segment;
    for (const uint32_t candidate : roads.SegmentsAt(next))
    {
        const RoadSegment& road = roads.Segments()[candidate];
        const bool drivable =
            backwards
                ? ExtractRoads::Arrives(road, next) && roads.TurnAllowed(candidate, next, segment)
                : ExtractRoads::Leaves(road, next) && roads.TurnAllowed(segment, next, candidate);
        if (candidate == segment || !drivable)
            continue;
        const double turn = std::fabs(
            TurnAngle(heading, BearingBetween(roads, next, ExtractRoads::Across(road, next))));
        if (turn < best)
        {
            best = turn;
            chosen = candidate;
        }
    }
    return chosen;
}

// The nodes walked from `node` along `segment` and on, straightest first,
// until `metres` are covered; `backwards` walks against the driving
// direction (the road the route comes in on).
std::vector<uint32_t> Walk(const ExtractRoads& roads, uint32_t node, uint32_t segment,
                           double metres, bool backwards)
{
    std::vector<uint32_t> nodes;
    std::vector<uint32_t> seen = {node};
    double walked = 0.0;
    uint32_t at = node;
    for (std::size_t step = 0; step < kMostSteps; ++step)
    {
        const uint32_t next = ExtractRoads::Across(roads.Segments()[segment], at);
        if (std::find(seen.begin(), seen.end(), next) != seen.end())
            break; // the road comes back on itself
        walked += Metres(roads.Point(at), roads.Point(next));
        nodes.push_back(next);
        seen.push_back(next);
        if (walked >= metres)
            break;
        const uint32_t chosen = Straightest(roads, at, next, segment, backwards);
        if (chosen == segment)
            break; // a dead end
        at = next;
        segment = chosen;
    }
    return nodes;
}

std::string CaptionOf(const ExtractRoads& roads, uint32_t segment)
{
    const std::string& label = roads.Roads()[roads.Segments()[segment].road].label;
    return refhost::routing::CaptionName(refhost::routing::NamingOf(label));
}

refhost::routing::JunctionRoad RoadAway(const ExtractRoads& roads, uint32_t node, uint32_t segment)
{
    const RoadSegment& road = roads.Segments()[segment];
    const uint32_t far = ExtractRoads::Across(road, node);
    refhost::routing::JunctionRoad away;
    away.bearing = BearingBetween(roads, node, far);
    away.next = roads.Point(far);
    away.highway = roads.Roads()[road.road].highway;
    away.name = roads.Roads()[road.road].label;
    away.car = true;
    away.carMayLeave = ExtractRoads::Leaves(road, node);
    away.roundabout = road.roundabout;
    return away;
}

// The roads at a circle's node off the circle, other than `skip`.
refhost::JunctionRoads OffCircle(const ExtractRoads& roads, uint32_t node, uint32_t skip)
{
    refhost::JunctionRoads others;
    others.location = roads.Point(node);
    for (const uint32_t s : roads.SegmentsAt(node))
    {
        const RoadSegment& road = roads.Segments()[s];
        if (s == skip || road.roundabout)
            continue;
        others.otherBearings.push_back(
            BearingBetween(roads, node, ExtractRoads::Across(road, node)));
        others.otherMayLeave.push_back(ExtractRoads::Leaves(road, node));
    }
    return others;
}

void AddPoints(std::vector<tagLonLat>& points, const ExtractRoads& roads,
               const std::vector<uint32_t>& nodes)
{
    for (const uint32_t node : nodes)
        refhost::routefiles::AppendDistinct(points, roads.Point(node));
}

// Each exit of the circle at `node` for a car entering on `entry`, round
// the circle once.
void AddCircleTurns(const ExtractRoads& roads, uint32_t node, uint32_t entry,
                    std::vector<JunctionTurn>& turns)
{
    const std::vector<RoadSegment>& segments = roads.Segments();
    std::vector<uint32_t> circle = {node};
    uint32_t here = node;
    for (std::size_t step = 0; step < kMostSteps; ++step)
    {
        const std::vector<uint32_t>& at = roads.SegmentsAt(here);
        const auto onward = std::find_if(at.begin(), at.end(),
                                         [&](uint32_t s) {
                                             return segments[s].roundabout &&
                                                    ExtractRoads::Leaves(segments[s], here);
                                         });
        if (onward == at.end())
            return;
        here = ExtractRoads::Across(segments[*onward], here);
        if (std::find(circle.begin(), circle.end(), here) != circle.end())
            return;
        circle.push_back(here);
        for (const uint32_t exit : roads.SegmentsAt(here))
            if (!segments[exit].roundabout && ExtractRoads::Leaves(segments[exit], here))
                turns.push_back({node, entry, exit, circle, false});
    }
}

// Names a turn at a plain junction by the host's junction rules, or by its
// angle where they would not announce it.
void NamePlainTurn(const ExtractRoads& roads, const JunctionTurn& turn,
                   const refhost::RouteDescription& route, refhost::Maneuver& maneuver)
{
    const uint32_t junction = turn.node;
    std::vector<tagLonLat> points = route.links.front().points;
    const std::size_t at = points.size() - 1;
    points.insert(points.end(), route.links.back().points.begin() + 1,
                  route.links.back().points.end());
    std::vector<double> along(points.size(), 0.0);
    for (std::size_t i = 1; i < points.size(); ++i)
        along[i] = along[i - 1] + Metres(points[i - 1], points[i]);
    refhost::routing::JunctionView view;
    view.angle = at + 1 < points.size()
                     ? refhost::geodesy::WindowedTurnAngle(points, along, at, kTurnWindowMetres, 0,
                                                           points.size() - 1)
                     : 0.0;
    view.previous = roads.Point(ExtractRoads::Across(roads.Segments()[turn.in], junction));
    view.next = roads.Point(ExtractRoads::Across(roads.Segments()[turn.out], junction));
    view.inBearing = refhost::geodesy::Bearing(view.previous, roads.Point(junction));
    view.outBearing = refhost::geodesy::Bearing(roads.Point(junction), view.next);
    view.roadIn = roads.Roads()[roads.Segments()[turn.in].road].label;
    view.roadOut = roads.Roads()[roads.Segments()[turn.out].road].label;
    for (const uint32_t s : roads.SegmentsAt(junction))
        view.roads.push_back(RoadAway(roads, junction, s));
    const refhost::routing::JunctionDecision decision = refhost::routing::DecideJunction(view);
    maneuver.type = decision.announced ? decision.type : refhost::ClassifyTurnAngle(view.angle);
    maneuver.instruction = decision.announced ? decision.instruction
                                              : refhost::routefiles::TurnPhrase(maneuver.type) +
                                                    refhost::routefiles::Onto(maneuver.toName);
    if (!turn.uTurn)
        maneuver.junctions.push_back(
            refhost::routing::OtherRoads(view.roads, maneuver.location, view.previous, view.next));
}

} // namespace

std::vector<uint32_t> VisitOrder(const ExtractRoads& roads, JunctionCount& count)
{
    count = JunctionCount();
    std::vector<uint32_t> order;
    for (uint32_t node = 0; node < roads.NodeCount(); ++node)
    {
        const std::vector<uint32_t>& at = roads.SegmentsAt(node);
        if (at.size() >= 3)
            ++count.junctions;
        else if (at.size() == 1 && roads.Segments()[at[0]].forward &&
                 roads.Segments()[at[0]].backward)
            ++count.deadEnds;
        else
            continue;
        order.push_back(node);
    }
    return order;
}

std::vector<JunctionTurn> TurnsAt(const ExtractRoads& roads, uint32_t node)
{
    const std::vector<uint32_t>& at = roads.SegmentsAt(node);
    const std::vector<RoadSegment>& segments = roads.Segments();
    if (at.size() == 1)
    {
        if (segments[at[0]].forward && segments[at[0]].backward)
            return {{node, at[0], at[0], {}, true}};
        return {};
    }
    if (at.size() < 3)
        return {};
    std::vector<JunctionTurn> turns;
    if (OnCircle(roads, node))
    {
        for (const uint32_t entry : at)
            if (!segments[entry].roundabout && ExtractRoads::Arrives(segments[entry], node))
                AddCircleTurns(roads, node, entry, turns);
        return turns;
    }
    for (const uint32_t in : at)
    {
        if (!ExtractRoads::Arrives(segments[in], node))
            continue;
        for (const uint32_t out : at)
            if (out != in && ExtractRoads::Leaves(segments[out], node) &&
                ExtractRoads::Across(segments[out], node) !=
                    ExtractRoads::Across(segments[in], node) &&
                roads.TurnAllowed(in, node, out))
                turns.push_back({node, in, out, {}, false});
    }
    return turns;
}

refhost::RouteDescription ShortRoute(const ExtractRoads& roads, const JunctionTurn& turn,
                                     double before, double after, const std::string& source)
{
    const uint32_t junction = turn.node;
    const uint32_t leaveFrom = turn.circle.empty() ? junction : turn.circle.back();
    std::vector<uint32_t> back = Walk(roads, junction, turn.in, before, true);
    std::reverse(back.begin(), back.end());
    const std::vector<uint32_t> on = Walk(roads, leaveFrom, turn.out, after, false);

    refhost::RouteDescription route;
    route.source = source;
    refhost::RoadLink enter;
    AddPoints(enter.points, roads, back);
    AddPoints(enter.points, roads, {junction});
    enter.name = CaptionOf(roads, turn.in);
    route.links.push_back(enter);
    if (!turn.circle.empty())
    {
        refhost::RoadLink circle;
        AddPoints(circle.points, roads, turn.circle);
        const auto onward =
            std::find_if(roads.SegmentsAt(junction).begin(), roads.SegmentsAt(junction).end(),
                         [&](uint32_t s) { return roads.Segments()[s].roundabout; });
        circle.name = CaptionOf(roads, *onward);
        route.links.push_back(circle);
    }
    refhost::RoadLink leave;
    AddPoints(leave.points, roads, {leaveFrom});
    AddPoints(leave.points, roads, on);
    leave.name = CaptionOf(roads, turn.out);
    route.links.push_back(leave);

    refhost::Maneuver maneuver;
    maneuver.enterLink = 0;
    maneuver.exitLink = route.links.size() - 2;
    maneuver.location = roads.Point(junction);
    maneuver.distanceFromStart = refhost::routefiles::PolylineMetres(enter.points);
    maneuver.fromName = enter.name;
    maneuver.toName = leave.name;
    if (!turn.circle.empty())
    {
        for (std::size_t c = 0; c < turn.circle.size(); ++c)
            maneuver.junctions.push_back(OffCircle(roads, turn.circle[c],
                                                   c == 0                        ? turn.in
                                                   : c + 1 == turn.circle.size() ? turn.out
                                                                                 : UINT32_MAX));
        maneuver.type = NAV_TURN_ROUNDABOUT;
        maneuver.instruction = refhost::routefiles::RoundaboutPhrase(
            "the roundabout", refhost::routing::RoundaboutExitNumber(maneuver.junctions),
            leave.name);
    }
    else
    {
        NamePlainTurn(roads, turn, route, maneuver);
    }
    route.maneuvers.push_back(maneuver);
    double total = 0.0;
    for (const refhost::RoadLink& link : route.links)
        total += refhost::routefiles::PolylineMetres(link.points);
    refhost::routefiles::AddArrival(route, route.links.back().points.back(), total, leave.name);
    refhost::routefiles::FinishRoute(route);
    return route;
}

} // namespace survey
