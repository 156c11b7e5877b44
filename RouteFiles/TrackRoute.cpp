#include "TrackRoute.h"

#include "Geodesy/Angles.h"

#include "RouteAssembly.h"
#include "RouteFileError.h"
#include "TurnClass.h"
#include "TurnText.h"
#include "TurnWindow.h"

#include <cmath>

namespace refhost::routefiles
{

namespace
{

struct TrackTurn
{
    size_t vertex = 0;
    double angle = 0.0; // degrees, positive to the right
};

std::vector<TrackTurn> FindTurns(const std::vector<tagLonLat>& points,
                                 const std::vector<double>& along, const RouteReadOptions& options)
{
    const double window = TurnWindowMetres(options);
    const double threshold = options.turnThresholdDegrees;
    const std::vector<double> angles = geodesy::WindowedTurnAngles(points, along, window);
    std::vector<TrackTurn> turns;
    size_t lastCandidate = 0;
    for (size_t i = 1; i + 1 < points.size(); ++i)
    {
        if (!(std::fabs(angles[i]) > threshold))
            continue;
        // Neighbouring points closer than the window see the same turn: keep
        // the one with the largest change. So do points that turn the same
        // way within the window of the turn kept, with a point between that
        // turns less (a 1 Hz track's left turn told twice, 6 m apart).
        const bool withinWindow = !turns.empty() && along[i] - along[turns.back().vertex] <= window;
        const bool sameWay = !turns.empty() && (angles[i] > 0.0) == (turns.back().angle > 0.0);
        const bool sameTurn =
            !turns.empty() &&
            ((lastCandidate + 1 == i && along[i] - along[lastCandidate] <= window) ||
             (withinWindow && sameWay));
        lastCandidate = i;
        if (!sameTurn)
            turns.push_back({i, angles[i]});
        else if (std::fabs(angles[i]) > std::fabs(turns.back().angle))
            turns.back() = {i, angles[i]};
    }
    return turns;
}

} // namespace

RouteDescription BuildTrackRoute(std::vector<tagLonLat> points, const std::string& name,
                                 const RouteReadOptions& options)
{
    if (points.size() < 2)
        Fail("a route needs at least two distinct points, found " + std::to_string(points.size()));

    std::vector<double> along(points.size(), 0.0);
    for (size_t i = 1; i < points.size(); ++i)
        along[i] = along[i - 1] + Metres(points[i - 1], points[i]);

    const std::vector<TrackTurn> turns = FindTurns(points, along, options);

    RouteDescription route;
    size_t start = 0;
    for (const TrackTurn& turn : turns)
    {
        RoadLink link;
        link.name = name;
        link.points.assign(points.begin() + static_cast<std::ptrdiff_t>(start),
                           points.begin() + static_cast<std::ptrdiff_t>(turn.vertex) + 1);
        route.links.push_back(std::move(link));

        Maneuver maneuver;
        maneuver.enterLink = maneuver.exitLink = route.links.size() - 1;
        maneuver.type = ClassifyTurnAngle(turn.angle);
        maneuver.instruction = TurnPhrase(maneuver.type) + Onto(name);
        maneuver.fromName = maneuver.toName = name;
        maneuver.location = points[turn.vertex];
        maneuver.distanceFromStart = along[turn.vertex];
        route.maneuvers.push_back(std::move(maneuver));
        start = turn.vertex;
    }
    RoadLink last;
    last.name = name;
    last.points.assign(points.begin() + static_cast<std::ptrdiff_t>(start), points.end());
    route.links.push_back(std::move(last));

    AddArrival(route, points.back(), along.back(), name);
    FinishRoute(route);
    return route;
}

} // namespace refhost::routefiles
