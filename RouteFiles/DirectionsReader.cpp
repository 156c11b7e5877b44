#include "DirectionsReader.h"

#include "Geodesy/Angles.h"
#include "Geodesy/ReferenceGeodesy.h"

#include "DirectionsModel.h"
#include "DirectionsText.h"
#include "DirectionsTimes.h"
#include "RouteAssembly.h"
#include "RouteFileError.h"
#include "TrackRoute.h"
#include "TurnClass.h"
#include "TurnText.h"

#include <algorithm>
#include <cmath>

namespace refhost::routefiles
{

namespace
{

constexpr size_t kNone = static_cast<size_t>(-1);
const std::vector<double> kNoTimes;
// An intersection lies on the step's geometry when a vertex is this near: the
// locations are the geometry's own vertices, rounded to 1e-6 degrees (and the
// polyline to 1e-5 at precision 5).
constexpr double kIntersectionToleranceMetres = 5.0;

// The links one step added, and the link that ends at each of its
// intersections.
struct StepLinks
{
    size_t first = 0; // the step's first link; the link before it ends at the junction
    size_t end = 0;   // one past its last link; equal to first for a step of no length
    std::vector<size_t> atIntersection; // kNone where not known
};

bool IsCircle(const std::string& type)
{
    return type == "roundabout" || type == "rotary" || type == "roundabout turn";
}

bool IsCircleExit(const std::string& type)
{
    return type == "exit roundabout" || type == "exit rotary";
}

// Whether two points are one junction written twice (the library's point
// tolerance).
bool SamePlace(const tagLonLat& a, const tagLonLat& b)
{
    return std::fabs(a.lon - b.lon) <= AP_POINT_EPSILON &&
           std::fabs(a.lat - b.lat) <= AP_POINT_EPSILON;
}

class LinkBuilder
{
public:
    LinkBuilder(RouteDescription& route, size_t totalPoints)
        : m_route(route), m_budget(50 * totalPoints + 1000000)
    {
    }

    // Appends the links of `step`: its geometry, joined to the route's end and
    // cut at every intersection found on it. `pointTimes` (one per geometry
    // point, or empty) become the links' times.
    StepLinks Add(const RawStep& step, const std::vector<double>& pointTimes)
    {
        StepLinks result;
        result.first = result.end = m_route.links.size();
        result.atIntersection.assign(step.intersections.size(), kNone);
        const JoinedStep joined = Join(step, pointTimes);
        if (joined.points.size() < 2)
            return result;
        const std::vector<size_t> vertexOf = IntersectionVertices(step, joined.points);
        const std::vector<size_t> cuts = Cuts(vertexOf, joined.points.size());
        AppendLinks(step, joined, cuts);
        result.end = m_route.links.size();
        MarkIntersections(vertexOf, cuts, result);
        return result;
    }

private:
    // A step's points joined to the route's end, and their times when every
    // one has a time (parallel to the points).
    struct JoinedStep
    {
        std::vector<tagLonLat> points;
        std::vector<double> times;
        bool timed = false;
    };

    JoinedStep Join(const RawStep& step, const std::vector<double>& pointTimes) const
    {
        JoinedStep result;
        std::vector<tagLonLat>& points = result.points;
        points.reserve(step.geometry.points.size() + 1);
        const bool joined = !m_route.links.empty();
        result.timed = pointTimes.size() == step.geometry.points.size() &&
                       (!joined || !m_route.links.back().times.empty());
        if (joined)
        {
            points.push_back(m_route.links.back().points.back());
            if (result.timed)
                result.times.push_back(m_route.links.back().times.back());
        }
        for (size_t i = 0; i < step.geometry.points.size(); ++i)
        {
            const tagLonLat& point = step.geometry.points[i];
            if (i == 0 && joined && SamePlace(point, points.front()))
                continue;
            const size_t before = points.size();
            AppendDistinct(points, point);
            if (result.timed && points.size() > before)
                result.times.push_back(pointTimes[i]);
        }
        return result;
    }

    // The vertex of each intersection, searched forwards so that a road
    // driven twice (a U-turn) is matched in driving order; kNone where none.
    std::vector<size_t> IntersectionVertices(const RawStep& step,
                                             const std::vector<tagLonLat>& points)
    {
        std::vector<size_t> vertexOf(step.intersections.size(), kNone);
        size_t from = 0;
        for (size_t k = 0; k < step.intersections.size(); ++k)
        {
            const tagLonLat& location = step.intersections[k].location;
            if (!IsValidPosition(location))
                continue;
            const size_t vertex = Match(points, from, location);
            if (vertex != kNone)
                vertexOf[k] = from = vertex;
        }
        return vertexOf;
    }

    // The inner vertices to cut at, in order, and the last vertex.
    static std::vector<size_t> Cuts(const std::vector<size_t>& vertexOf, size_t pointCount)
    {
        std::vector<size_t> cuts;
        for (const size_t vertex : vertexOf)
            if (vertex != kNone && vertex > 0 && vertex + 1 < pointCount &&
                (cuts.empty() || vertex > cuts.back()))
                cuts.push_back(vertex);
        cuts.push_back(pointCount - 1);
        return cuts;
    }

    // Each piece between two cuts becomes a link.
    void AppendLinks(const RawStep& step, const JoinedStep& joined, const std::vector<size_t>& cuts)
    {
        size_t start = 0;
        for (const size_t cut : cuts)
        {
            const auto first = static_cast<std::ptrdiff_t>(start);
            const auto last = static_cast<std::ptrdiff_t>(cut);
            RoadLink link;
            link.name = step.name;
            link.ref = step.ref;
            link.points.assign(joined.points.begin() + first, joined.points.begin() + last + 1);
            if (joined.timed)
                link.times.assign(joined.times.begin() + first, joined.times.begin() + last + 1);
            m_route.links.push_back(std::move(link));
            start = cut;
        }
    }

    // The link that ends at each intersection: the link before the step's
    // for one at its first vertex, else the piece that a cut ends there.
    static void MarkIntersections(const std::vector<size_t>& vertexOf,
                                  const std::vector<size_t>& cuts, StepLinks& result)
    {
        for (size_t k = 0; k < vertexOf.size(); ++k)
        {
            const size_t vertex = vertexOf[k];
            if (vertex == kNone)
                continue;
            if (vertex == 0)
            {
                result.atIntersection[k] = result.first > 0 ? result.first - 1 : kNone;
                continue;
            }
            size_t piece = 0;
            while (cuts[piece] < vertex)
                ++piece;
            result.atIntersection[k] = cuts[piece] == vertex ? result.first + piece : kNone;
        }
    }

    // The first vertex from `from` on within the tolerance of `location`,
    // moved on to the nearest of the run of vertices that follow it.
    size_t Match(const std::vector<tagLonLat>& points, size_t from, const tagLonLat& location)
    {
        for (size_t j = from; j < points.size() && m_budget > 0; ++j, --m_budget)
        {
            double distance = ApproxMetres(points[j], location);
            if (distance > kIntersectionToleranceMetres)
                continue;
            while (j + 1 < points.size())
            {
                const double next = ApproxMetres(points[j + 1], location);
                if (next >= distance)
                    break;
                distance = next;
                ++j;
            }
            return j;
        }
        return kNone;
    }

    RouteDescription& m_route;
    // Vertex tests left: hostile input with many unmatched intersections on
    // long steps would otherwise take quadratic time. Spent, the remaining
    // intersections are simply not cut at.
    size_t m_budget;
};

// The change of direction from the end of `link` into the link after it; 0
// when there is none.
double AngleAfterLink(const RouteDescription& route, size_t link)
{
    if (link + 1 >= route.links.size())
        return 0.0;
    const std::vector<tagLonLat>& in = route.links[link].points;
    const std::vector<tagLonLat>& out = route.links[link + 1].points;
    return geodesy::TurnAngle(geodesy::Bearing(in[in.size() - 2], in.back()),
                              geodesy::Bearing(out[0], out[1]));
}

NAV_TURN_TYPE_tag StepTurnType(const RawStep& step)
{
    if (IsCircle(step.type) || IsCircleExit(step.type))
        return NAV_TURN_ROUNDABOUT;
    if (step.type == "merge")
        return NAV_TURN_MERGE;
    if (step.type == "fork")
        return NAV_TURN_FORK;
    const NAV_TURN_TYPE_tag byModifier = TurnTypeFromModifier(step.modifier);
    if (byModifier != NAV_TURN_NONE)
        return byModifier;
    if (std::isfinite(step.bearingBefore) && std::isfinite(step.bearingAfter))
        return ClassifyTurnAngle(geodesy::TurnAngle(step.bearingBefore, step.bearingAfter));
    return NAV_TURN_STRAIGHT;
}

// What the step is to the driver.
ManeuverKind StepKind(const RawStep& step)
{
    if (IsCircle(step.type))
        return ManeuverKind::Roundabout;
    if (IsCircleExit(step.type))
        return ManeuverKind::RoundaboutExit;
    if (step.type == "on ramp" || step.type == "off ramp")
        return ManeuverKind::Ramp;
    if (step.type == "fork" || step.type == "merge")
        return ManeuverKind::Fork;
    return ManeuverKind::Turn;
}

// The last link inside a roundabout entered by `step` (links `links`).
size_t CircleExitLink(const RawStep& step, const StepLinks& links, const RawStep* next,
                      size_t enterLink)
{
    const size_t lastOfStep = links.end > links.first ? links.end - 1 : enterLink;
    // A separate exit step starts where the route leaves the circle.
    if (next && IsCircleExit(next->type))
        return lastOfStep;
    // Else the exit is the `exit`-th intersection with a way out besides the
    // way on.
    long long exits = 0;
    for (size_t k = 1; k < step.intersections.size() && step.exit > 0; ++k)
    {
        if (step.intersections[k].allowedWays >= 2 && ++exits == step.exit)
        {
            const size_t link = links.atIntersection[k];
            return link != kNone && link >= enterLink ? link : lastOfStep;
        }
    }
    return lastOfStep;
}

// The junctions of a manoeuvre with the roads it does not take: the step's
// first intersection and, inside a roundabout, every one up to where the
// route leaves the circle (the intersection that ends exitLink).
std::vector<JunctionRoads> ManeuverJunctions(const RawStep& step, const StepLinks& links,
                                             bool circle, size_t exitLink)
{
    std::vector<JunctionRoads> junctions;
    for (size_t k = 0; k < step.intersections.size(); ++k)
    {
        if (k > 0 && !circle)
            break;
        if (k > 0 && (links.atIntersection[k] == kNone || links.atIntersection[k] > exitLink))
            continue;
        const RawIntersection& at = step.intersections[k];
        JunctionRoads junction;
        junction.location = at.location;
        const bool entries = at.entry.size() == at.bearings.size();
        for (size_t i = 0; i < at.bearings.size(); ++i)
            if (static_cast<long long>(i) != at.in && static_cast<long long>(i) != at.out)
            {
                junction.otherBearings.push_back(at.bearings[i]);
                if (entries)
                    junction.otherMayLeave.push_back(at.entry[i]);
            }
        if (IsValidPosition(junction.location) && !junction.otherBearings.empty())
            junctions.push_back(std::move(junction));
    }
    return junctions;
}

// The file's words for a manoeuvre of two steps (a waypoint: the arrival and
// the departure that follows it).
std::string JoinedInstructions(const std::string& first, const std::string& second)
{
    if (first.empty() || second.empty())
        return first.empty() ? second : first;
    return first + " \xC2\xB7 " + second;
}

// The route of a response without turn-by-turn steps: its overview.
RouteDescription OverviewRoute(const RawRoute& raw, const RouteReadOptions& options)
{
    if (!raw.hasOverview)
        Fail("routes[0]: no steps and no geometry, the route is empty");
    std::vector<tagLonLat> points;
    for (const tagLonLat& point : raw.overview.points)
        AppendDistinct(points, point);
    RouteDescription route = BuildTrackRoute(std::move(points), std::string(), options);
    route.statedDistance = raw.distance;
    return route;
}

// Appends the links of every step to `route`: the links of each step, by leg,
// and in `legEndLinks` one past the last link of each leg.
std::vector<std::vector<StepLinks>> AddStepLinks(const RawRoute& raw, RouteDescription& route,
                                                 std::vector<size_t>& legEndLinks)
{
    const std::vector<std::vector<std::vector<double>>> stepTimes = StepPointTimes(raw);
    size_t totalPoints = 0;
    for (const std::vector<RawStep>& leg : raw.legs)
        for (const RawStep& step : leg)
            totalPoints += step.geometry.points.size();

    LinkBuilder builder(route, totalPoints);
    std::vector<std::vector<StepLinks>> stepLinks(raw.legs.size());
    for (size_t li = 0; li < raw.legs.size(); ++li)
    {
        for (size_t si = 0; si < raw.legs[li].size(); ++si)
            stepLinks[li].push_back(
                builder.Add(raw.legs[li][si], stepTimes.empty() ? kNoTimes : stepTimes[li][si]));
        legEndLinks.push_back(route.links.size());
    }
    return stepLinks;
}

// The last step of the route (some leg has steps); its arrive is the arrival.
const RawStep& FinalStep(const RawRoute& raw)
{
    size_t lastLeg = raw.legs.size();
    while (lastLeg > 0 && raw.legs[lastLeg - 1].empty())
        --lastLeg;
    --lastLeg;
    return raw.legs[lastLeg].back();
}

// For each leg, the next leg that has steps (legs.size() for none).
std::vector<size_t> NextLegsWithSteps(const RawRoute& raw)
{
    std::vector<size_t> nextLegWithSteps(raw.legs.size(), raw.legs.size());
    for (size_t li = raw.legs.size(); li-- > 1;)
        nextLegWithSteps[li - 1] = raw.legs[li].empty() ? nextLegWithSteps[li] : li;
    return nextLegWithSteps;
}

// The manoeuvres of a response's steps, from the links the steps became.
class ManeuverMaker
{
public:
    ManeuverMaker(const RawRoute& raw, const RouteDescription& route,
                  const std::vector<std::vector<StepLinks>>& stepLinks)
        : m_raw(raw), m_route(route), m_stepLinks(stepLinks), m_starts(LinkStartDistances(route)),
          m_origin(route.links.front().points.front()), m_finalStep(FinalStep(raw)),
          m_nextLegWithSteps(NextLegsWithSteps(raw))
    {
    }

    const RawStep& Final() const { return m_finalStep; }

    // The manoeuvre of step `si` of leg `li`, which is no departure, coming
    // from the road `fromName`.
    Maneuver Make(size_t li, size_t si, const std::string& fromName) const
    {
        const std::vector<RawStep>& steps = m_raw.legs[li];
        const RawStep& step = steps[si];
        const StepLinks& links = m_stepLinks[li][si];
        Maneuver maneuver;
        maneuver.enterLink = links.first > 0 ? links.first - 1 : 0;
        maneuver.exitLink = maneuver.enterLink;
        maneuver.fromName = fromName;
        maneuver.distanceFromStart = m_starts[links.first];
        maneuver.location =
            IsValidPosition(step.location)
                ? step.location
                : (links.first > 0 ? m_route.links[links.first - 1].points.back() : m_origin);
        // The banners shown along a step announce the manoeuvre at its end.
        if (si > 0)
        {
            maneuver.bannerPrimary = steps[si - 1].bannerPrimary;
            maneuver.bannerSecondary = steps[si - 1].bannerSecondary;
        }
        maneuver.fileInstruction = step.instruction;
        if (&step == &m_finalStep && step.type == "arrive")
            MakeArrival(step, maneuver);
        else if (step.type == "arrive")
            MakeWaypoint(step, li, maneuver);
        else
            MakeTurn(step, links, si + 1 < steps.size() ? &steps[si + 1] : nullptr, maneuver);
        return maneuver;
    }

    // The arrival of a response cut short of its arrive step, which still
    // ends somewhere.
    Maneuver CutShortArrival(const std::string& fromName) const
    {
        Maneuver arrival;
        arrival.enterLink = arrival.exitLink = m_route.links.size() - 1;
        arrival.type = NAV_TURN_END;
        arrival.kind = ManeuverKind::Arrival;
        arrival.instruction = ArrivalInstruction(nullptr);
        arrival.fromName = fromName;
        arrival.location = m_route.links.back().points.back();
        arrival.distanceFromStart = m_starts.back();
        return arrival;
    }

private:
    void MakeArrival(const RawStep& step, Maneuver& maneuver) const
    {
        // The arrive step's own geometry is a point; should it have length,
        // the arrival is still at the end of the last link.
        maneuver.type = NAV_TURN_END;
        maneuver.kind = ManeuverKind::Arrival;
        maneuver.enterLink = maneuver.exitLink = m_route.links.size() - 1;
        maneuver.distanceFromStart = m_starts.back();
        maneuver.instruction = ArrivalInstruction(&step);
    }

    // A waypoint: the route goes on with the next leg's departure.
    void MakeWaypoint(const RawStep& step, size_t li, Maneuver& maneuver) const
    {
        const RawStep* depart = m_nextLegWithSteps[li] < m_raw.legs.size()
                                    ? &m_raw.legs[m_nextLegWithSteps[li]].front()
                                    : nullptr;
        const bool bearings =
            depart && std::isfinite(step.bearingBefore) && std::isfinite(depart->bearingAfter);
        maneuver.type = ClassifyTurnAngle(
            bearings ? geodesy::TurnAngle(step.bearingBefore, depart->bearingAfter)
                     : AngleAfterLink(m_route, maneuver.enterLink));
        maneuver.kind = ManeuverKind::Waypoint;
        maneuver.toName = depart ? RoadName(*depart) : std::string();
        maneuver.instruction = WaypointInstruction(li + 1, maneuver.type, maneuver.toName);
        if (depart)
            maneuver.fileInstruction = JoinedInstructions(step.instruction, depart->instruction);
    }

    static void MakeTurn(const RawStep& step, const StepLinks& links, const RawStep* next,
                         Maneuver& maneuver)
    {
        maneuver.type = StepTurnType(step);
        maneuver.toName = RoadName(step);
        maneuver.instruction = StepInstruction(step, maneuver.type);
        maneuver.kind = StepKind(step);
        if (maneuver.kind == ManeuverKind::Roundabout ||
            maneuver.kind == ManeuverKind::RoundaboutExit)
        {
            maneuver.roundaboutExit = static_cast<int>(std::min<long long>(step.exit, 99));
            maneuver.circleName = !step.rotaryName.empty()                        ? step.rotaryName
                                  : step.type.find("rotary") != std::string::npos ? "the rotary"
                                                                                  : std::string();
        }
        if (IsCircle(step.type))
            maneuver.exitLink = CircleExitLink(step, links, next, maneuver.enterLink);
        maneuver.junctions = ManeuverJunctions(step, links, IsCircle(step.type), maneuver.exitLink);
    }

    const RawRoute& m_raw;
    const RouteDescription& m_route;
    const std::vector<std::vector<StepLinks>>& m_stepLinks;
    const std::vector<double> m_starts; // where each link starts, metres from the origin
    const tagLonLat m_origin;
    const RawStep& m_finalStep;
    const std::vector<size_t> m_nextLegWithSteps;
};

} // namespace

RouteDescription ReadDirections(const Json& root, const RouteReadOptions& options,
                                int& precisionUsed)
{
    RawRoute raw = ReadRawRoute(root, options.maxPoints);
    precisionUsed = ChoosePolylinePrecision(raw, options.polylinePrecision);
    DecodeGeometries(raw, precisionUsed, options.maxPoints);
    // No turn-by-turn steps were asked for: the overview is all there is.
    if (raw.stepCount == 0)
        return OverviewRoute(raw, options);

    RouteDescription route;
    route.statedDistance = raw.distance;
    std::vector<size_t> legEndLinks;
    const std::vector<std::vector<StepLinks>> stepLinks = AddStepLinks(raw, route, legEndLinks);
    if (route.links.empty())
        Fail("routes[0]: the route has no length (fewer than two distinct points)");
    const tagLonLat origin = route.links.front().points.front();
    for (const size_t end : legEndLinks)
        route.destinations.push_back(end > 0 ? route.links[end - 1].points.back() : origin);

    const ManeuverMaker maker(raw, route, stepLinks);
    std::string previousRoad;
    for (size_t li = 0; li < raw.legs.size(); ++li)
    {
        for (size_t si = 0; si < raw.legs[li].size(); ++si)
        {
            const RawStep& step = raw.legs[li][si];
            if (step.type != "depart")
                route.maneuvers.push_back(maker.Make(li, si, previousRoad));
            previousRoad = RoadName(step);
        }
    }
    if (maker.Final().type != "arrive")
        route.maneuvers.push_back(maker.CutShortArrival(previousRoad));
    FinishRoute(route);
    return route;
}

} // namespace refhost::routefiles
