// The built route as the path views share it: links no longer than a guide
// record can count, with their lengths, and the manoeuvres on those links.
// Immutable once built; views and guide records refer into it.
#ifndef REFHOST_ROUTE_ROUTEDATA_H
#define REFHOST_ROUTE_ROUTEDATA_H

#include "RouteDescription.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace refhost::route_detail
{

// The most points a route edge or a guide record can hand out (its count is
// an unsigned 16-bit value).
constexpr size_t kMaxLinkPoints = 65535;

struct ModelLink
{
    std::vector<tagLonLat> points; // 2 .. kMaxLinkPoints, driving order
    std::vector<double> times;     // as RoadLink::times: one per point, or empty
    std::string name;              // the description link's name, or its ref when unnamed
    uint16_t attr1 = 0;
    uint16_t attr2 = 0;
    double length = 0.0;        // geodesic length of the points, metres
    double startDistance = 0.0; // metres along the route to the first point
    size_t sourceLink = 0;      // index of the description link it was cut from
};

struct RouteData
{
    // Written into every guide record, so that a record of another route (or
    // a zeroed one) is never taken for one of this route. Never 0.
    uint32_t identity = 0;
    std::string source;
    std::string credit;
    std::vector<ModelLink> links;
    tagLonLat origin = AP_INVALID_POINT; // AP_INVALID_POINT: the route has none
    std::vector<tagLonLat> destinations;
    // Link indexes refer to `links`; the last one is NAV_TURN_END.
    std::vector<Maneuver> maneuvers;
    double length = 0.0; // metres, sum of the link lengths
};

} // namespace refhost::route_detail

#endif
