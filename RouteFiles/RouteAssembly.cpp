#include "RouteAssembly.h"

#include "Geodesy/Angles.h"
#include "Geodesy/ReferenceGeodesy.h"
#include "RouteFileError.h"

#include <cmath>
#include <sstream>

namespace refhost::routefiles
{

namespace
{

std::string Number(double value)
{
    std::ostringstream out;
    out.precision(10);
    out << value;
    return out.str();
}

} // namespace

void CheckPoint(const tagLonLat& point, const std::string& what)
{
    if (IsValidPosition(point))
        return;
    // Which part fails, for the message.
    if (!std::isfinite(point.lon))
        Fail(what + ": longitude is not a finite number");
    if (!std::isfinite(point.lat))
        Fail(what + ": latitude is not a finite number");
    if (!(point.lon > -180.0 && point.lon < 180.0))
        Fail(what + ": longitude " + Number(point.lon) + " out of range (-180, 180)");
    if (!(point.lat > -90.0 && point.lat < 90.0))
        Fail(what + ": latitude " + Number(point.lat) + " out of range (-90, 90)");
}

void AppendDistinct(std::vector<tagLonLat>& points, const tagLonLat& point)
{
    if (!points.empty() && points.back().lon == point.lon && points.back().lat == point.lat)
        return;
    points.push_back(point);
}

double Metres(const tagLonLat& from, const tagLonLat& to)
{
    return geodesy::SegmentLength(from.lon, from.lat, to.lon, to.lat);
}

double PolylineMetres(const std::vector<tagLonLat>& points)
{
    double length = 0.0;
    for (size_t i = 1; i < points.size(); ++i)
        length += Metres(points[i - 1], points[i]);
    return length;
}

double ApproxMetres(const tagLonLat& from, const tagLonLat& to)
{
    const double east = (to.lon - from.lon) * geodesy::kFlatMetresPerDegreeLon *
                        std::cos((from.lat + to.lat) * 0.5 * geodesy::kRadiansPerDegree);
    const double north = (to.lat - from.lat) * geodesy::kFlatMetresPerDegreeLat;
    return std::hypot(east, north);
}

std::vector<double> LinkStartDistances(const RouteDescription& route)
{
    std::vector<double> starts;
    starts.reserve(route.links.size() + 1);
    double distance = 0.0;
    for (const RoadLink& link : route.links)
    {
        starts.push_back(distance);
        distance += PolylineMetres(link.points);
    }
    starts.push_back(distance);
    return starts;
}

void AddArrival(RouteDescription& route, const tagLonLat& end, double distanceFromStart,
                const std::string& fromName)
{
    Maneuver arrival;
    arrival.enterLink = arrival.exitLink = route.links.size() - 1;
    arrival.type = NAV_TURN_END;
    arrival.kind = ManeuverKind::Arrival;
    arrival.instruction = "You have arrived at your destination";
    arrival.fromName = fromName;
    arrival.location = end;
    arrival.distanceFromStart = distanceFromStart;
    route.maneuvers.push_back(std::move(arrival));
    route.destinations.push_back(end);
}

void FinishRoute(RouteDescription& route)
{
    if (!route.links.empty() && !route.links.front().points.empty())
        route.origin = route.links.front().points.front();
    for (size_t i = 0; i < route.maneuvers.size(); ++i)
    {
        Maneuver& maneuver = route.maneuvers[i];
        maneuver.distanceToNext =
            i + 1 < route.maneuvers.size()
                ? route.maneuvers[i + 1].distanceFromStart - maneuver.distanceFromStart
                : 0.0;
    }
}

void CheckPointLimit(size_t count, size_t limit)
{
    if (count > limit)
        Fail("more than " + std::to_string(limit) + " points");
}

} // namespace refhost::routefiles
