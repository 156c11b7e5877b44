// A route as the route-file readers produce it and the route model consumes
// it: road links in driving order, the origin, the destinations, and the
// manoeuvres. Plain data; no service of the library is defined here.
#ifndef REFHOST_ROUTE_ROUTEDESCRIPTION_H
#define REFHOST_ROUTE_ROUTEDESCRIPTION_H

#include "LonLat.h"
#include "RouteLibrary.h"

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace refhost
{

// A junction that a manoeuvre passes, as a directions response describes it.
struct JunctionRoads
{
    tagLonLat location = AP_INVALID_POINT;
    // Directions of the roads that meet here and that the route neither comes
    // in on nor leaves by: degrees clockwise from north (0 ... 360), each
    // pointing away from the junction.
    std::vector<double> otherBearings;
    // For each of otherBearings, whether a car may leave the junction on
    // that road (false for a one-way road towards it): a roundabout's exits
    // and a fork's other branch are among these. Empty when the source does
    // not say.
    std::vector<bool> otherMayLeave;
};

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

// What a manoeuvre is to the driver, as the route's source says; the
// guidance rules (RouteFiles/GuidanceRules.h) decide from it which ones are
// told.
enum class ManeuverKind : uint8_t
{
    Turn,           // at a junction or a route point: told when it turns or the way is not obvious
    Roundabout,     // into a roundabout, and out of it where exitLink says so
    RoundaboutExit, // out of a roundabout whose entry is a manoeuvre of its own
    Ramp,           // onto or off a motorway
    Fork,           // a fork or a merge
    Waypoint,       // a via point of the route
    Arrival,
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
    ManeuverKind kind = ManeuverKind::Turn;
    // A roundabout's exit number as the source words it (0: not given), and
    // what it calls the circle ("the rotary", "Dupont Circle"; empty: "the
    // roundabout").
    int roundaboutExit = 0;
    std::string circleName;
    // "Turn left onto Main Street", made from the type and the road names
    // (ManeuverCaption.h chooses what a caption shows).
    std::string instruction;
    // The route file's own words for the manoeuvre (a step's instruction, a
    // GPX route point's description), in the file's language; empty when it
    // gives none.
    std::string fileInstruction;
    // What a device's banner shows on the approach (the primary line and the
    // line below it), empty when the file has no banner for the manoeuvre.
    std::string bannerPrimary;
    std::string bannerSecondary;
    // How far the car then goes on along the road it ends on ("Continue on
    // Main Street for 2.3 km"), where the guidance rules tell it; empty else.
    std::string continuation;
    std::string fromName;                  // road before the junction
    std::string toName;                    // road after the junction
    tagLonLat location = AP_INVALID_POINT; // the junction
    double distanceFromStart = 0.0;        // metres along the route to the junction
    double distanceToNext = 0.0;           // metres from here to the next manoeuvre
    // The junctions of the manoeuvre that the file describes (for a
    // roundabout: from the entry to the exit); empty when it gives no
    // bearings.
    std::vector<JunctionRoads> junctions;
};

struct RouteDescription
{
    std::string source; // file name or other origin, for messages
    // The attribution the route's data asks for on every picture drawn from
    // it ("\xC2\xA9 OpenStreetMap contributors"); empty when it asks none.
    std::string credit;
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
