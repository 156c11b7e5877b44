// A route as the route-file readers produce it and the route model consumes
// it: road links in driving order, the origin, the destinations, and the
// manoeuvres. Plain data; no service of the library is defined here.
#ifndef REFHOST_ROUTE_ROUTEDESCRIPTION_H
#define REFHOST_ROUTE_ROUTEDESCRIPTION_H

#include "Host/LonLat.h"
#include "Host/RouteLibrary.h"

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace refhost
{

// One road link: a polyline of at least two points, in driving order. A
// link's last point is the first point of the next link.
struct RoadLink
{
    std::vector<tagLonLat> points;
    std::string name;   // road name, may be empty
    std::string ref;    // road reference ("A 9", "I 80"), may be empty
    uint16_t attr1 = 0; // carried unchanged into the guide records
    uint16_t attr2 = 0;
    // Seconds since the route's first point at each of `points` (same size,
    // non-decreasing; a link's last time equals the next link's first), or
    // empty when the file gives no times for this link.
    std::vector<double> times;
};

// One manoeuvre at a junction.
struct Maneuver
{
    // The link that ends where the junction begins (the entering guide).
    size_t enterLink = 0;
    // The last link inside the junction (the leaving guide): equal to
    // enterLink at a simple junction, later for a roundabout or a complex
    // crossing whose inner links are drawn whole.
    size_t exitLink = 0;
    NAV_TURN_TYPE_tag type = NAV_TURN_STRAIGHT;
    std::string instruction;               // "Turn left onto Main Street", for captions
    std::string fromName;                  // road before the junction
    std::string toName;                    // road after the junction
    tagLonLat location = AP_INVALID_POINT; // the junction
    double distanceFromStart = 0.0;        // metres along the route to the junction
    double distanceToNext = 0.0;           // metres from here to the next manoeuvre
};

struct RouteDescription
{
    std::string source; // file name or other origin, for messages
    std::vector<RoadLink> links;
    tagLonLat origin = AP_INVALID_POINT;
    std::vector<tagLonLat> destinations; // at least one for a usable route
    // In driving order; the last one is the arrival (NAV_TURN_END), whose
    // enterLink and exitLink are the route's last link.
    std::vector<Maneuver> maneuvers;
    // Total distance stated by the file, metres; NaN when it states none.
    double statedDistance = std::numeric_limits<double>::quiet_NaN();
};

} // namespace refhost

#endif
