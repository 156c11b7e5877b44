#include "JunctionManeuver.h"

#include "Geodesy/Angles.h"
#include "RoadNaming.h"
#include "RouteFiles/RouteAssembly.h"
#include "RouteFiles/RouteFiles.h"
#include "RouteFiles/TurnText.h"

#include <cmath>

namespace refhost::routing
{

namespace
{

using geodesy::TurnAngle;
using routefiles::ApproxMetres;

// A road whose first node lies this near a node of the route is that part of
// the route.
constexpr double kSameNodeMetres = 0.5;
// A fork: the other branch leaves within this many degrees of the route, and
// the route itself turns by less.
constexpr double kForkDegrees = 45.0;
// Below this the turn has no side ("Take the exit").
constexpr double kSideDegrees = 5.0;
// A bend up to this, where Routino goes straight on along one road, is no
// manoeuvre.
constexpr double kBendDegrees = 60.0;

bool IsRouteRoad(const JunctionRoad& road, const tagLonLat& routeNode)
{
    return ApproxMetres(road.next, routeNode) <= kSameNodeMetres;
}

const JunctionRoad* RoadTo(const std::vector<JunctionRoad>& roads, const tagLonLat& routeNode)
{
    for (const JunctionRoad& road : roads)
        if (IsRouteRoad(road, routeNode))
            return &road;
    return nullptr;
}

// Routino's type of a road of the route: from its word when unnamed, else
// from the network.
std::string TypeOf(const std::string& written, const JunctionRoad* road)
{
    const std::string type = TypeOfUnnamed(written);
    return !type.empty() || road == nullptr ? type : road->highway;
}

// The other road a car may take that leaves nearest the route's direction,
// within kForkDegrees; nullptr when there is none.
const JunctionRoad* OtherBranch(const JunctionView& view)
{
    const JunctionRoad* branch = nullptr;
    double nearest = kForkDegrees;
    for (const JunctionRoad& road : view.roads)
    {
        if (!road.carMayLeave || IsRouteRoad(road, view.previous) || IsRouteRoad(road, view.next))
            continue;
        const double apart = std::fabs(TurnAngle(view.outBearing, road.bearing));
        const bool ahead = std::fabs(TurnAngle(view.inBearing, road.bearing)) < kForkDegrees;
        if (ahead && apart < nearest)
        {
            nearest = apart;
            branch = &road;
        }
    }
    return branch;
}

std::string SideOfAngle(double angle)
{
    if (angle >= kSideDegrees)
        return "right";
    if (angle <= -kSideDegrees)
        return "left";
    return {};
}

NAV_TURN_TYPE_tag TowardsSide(NAV_TURN_TYPE_tag type, const std::string& side)
{
    if (type != NAV_TURN_STRAIGHT || side.empty())
        return type;
    return side == "right" ? NAV_TURN_SLIGHT_RIGHT : NAV_TURN_SLIGHT_LEFT;
}

} // namespace

JunctionDecision DecideJunction(const JunctionView& view)
{
    JunctionDecision decision;
    const std::string toName = CaptionName(NamingOf(view.roadOut));
    const bool roadChanges = view.roadIn != view.roadOut;
    const NAV_TURN_TYPE_tag byAngle = ClassifyTurnAngle(view.angle);

    const JunctionRoad* branch =
        roadChanges && std::fabs(view.angle) < kForkDegrees ? OtherBranch(view) : nullptr;
    // The side the route takes: against the other branch at a fork, else the
    // side it turns to.
    const std::string side =
        branch != nullptr ? (TurnAngle(branch->bearing, view.outBearing) > 0.0 ? "right" : "left")
                          : SideOfAngle(view.angle);

    const std::string outType = TypeOfUnnamed(view.roadOut);
    if (roadChanges && IsFreewayType(outType))
    {
        const std::string inType = TypeOf(view.roadIn, RoadTo(view.roads, view.previous));
        decision.announced = true;
        decision.type = TowardsSide(byAngle, side);
        decision.kind = ManeuverKind::Ramp;
        decision.instruction = IsFreewayType(inType)
                                   ? routefiles::OffRampPhrase(std::string(), side, toName)
                                   : routefiles::OnRampPhrase(side, toName);
        return decision;
    }
    if (branch != nullptr)
    {
        decision.announced = true;
        decision.type = NAV_TURN_FORK;
        decision.kind = ManeuverKind::Fork;
        decision.instruction = routefiles::ForkPhrase(side, std::string(), toName);
        return decision;
    }
    if (byAngle == NAV_TURN_STRAIGHT)
        return decision;
    if (!roadChanges && view.routinoTurn == "Straight on" && std::fabs(view.angle) < kBendDegrees)
        return decision;
    decision.announced = true;
    decision.type = byAngle;
    decision.instruction = routefiles::TurnPhrase(byAngle) + routefiles::Onto(toName);
    return decision;
}

JunctionRoads OtherRoads(const std::vector<JunctionRoad>& roads, const tagLonLat& junction,
                         const tagLonLat& previous, const tagLonLat& next)
{
    JunctionRoads others;
    others.location = junction;
    for (const JunctionRoad& road : roads)
        if (road.car && !IsRouteRoad(road, previous) && !IsRouteRoad(road, next))
        {
            others.otherBearings.push_back(road.bearing);
            others.otherMayLeave.push_back(road.carMayLeave);
        }
    return others;
}

int RoundaboutExitNumber(const std::vector<JunctionRoads>& junctions)
{
    int exits = 0;
    for (size_t j = 1; j + 1 < junctions.size(); ++j)
        for (const bool mayLeave : junctions[j].otherMayLeave)
            exits += mayLeave ? 1 : 0;
    return exits + 1;
}

} // namespace refhost::routing
