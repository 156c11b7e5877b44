// A v5 directions response as read from its JSON, before any geometry work:
// only what the route needs, checked for type and range, with the JSON path
// of each part kept for messages. Encoded polylines stay undecoded until the
// precision is known.
#ifndef ROUTEFILES_DIRECTIONSMODEL_H
#define ROUTEFILES_DIRECTIONSMODEL_H

#include "JsonInput.h"

#include <limits>
#include <string>
#include <vector>

namespace refhost::routefiles
{

struct RawGeometry
{
    std::string path;
    bool encoded = false;
    std::string text;              // the encoded polyline
    std::vector<tagLonLat> points; // GeoJSON coordinates, or the decoded text
};

struct RawIntersection
{
    tagLonLat location = AP_INVALID_POINT; // AP_INVALID_POINT when not given
    // Ways the route may take here other than the way it came in: on a
    // roundabout, 2 or more means the intersection is an exit.
    int allowedWays = 0;
    // Directions of every road that meets here (degrees clockwise from north,
    // pointing away from the junction), and the indexes of the one the route
    // comes in on and the one it leaves by (-1 when not given).
    std::vector<double> bearings;
    // For each of bearings, whether the route may enter that road here
    // (leave the junction on it); empty when not given.
    std::vector<bool> entry;
    long long in = -1;
    long long out = -1;
};

struct RawStep
{
    std::string path;
    std::string type; // maneuver.type
    std::string modifier;
    long long exit = 0; // 0 when not given
    tagLonLat location = AP_INVALID_POINT;
    double bearingBefore = std::numeric_limits<double>::quiet_NaN();
    double bearingAfter = std::numeric_limits<double>::quiet_NaN();
    std::string name;
    std::string ref;
    std::string rotaryName;
    std::string exits;        // exit numbers, ';' between them ("48A;48B")
    std::string destinations; // the signposted destinations ("I-80 East: Oakland")
    std::string instruction;  // maneuver.instruction, the engine's own words
    // The last of bannerInstructions: what the banner shows as the step ends,
    // which announces the manoeuvre of the next step.
    std::string bannerPrimary;
    std::string bannerSecondary;
    double duration = std::numeric_limits<double>::quiet_NaN(); // seconds; NaN when not given
    RawGeometry geometry;
    std::vector<RawIntersection> intersections;
};

// A leg's per-segment annotation (one value per segment of the leg's
// geometry, the steps' geometries joined); each list empty when not given.
struct RawAnnotation
{
    std::vector<double> duration; // seconds
    std::vector<double> speed;    // metres per second
    std::vector<double> distance; // metres
};

struct RawRoute
{
    double distance = std::numeric_limits<double>::quiet_NaN();
    std::vector<std::vector<RawStep>> legs;
    std::vector<RawAnnotation> annotations; // one per leg
    bool hasOverview = false;
    RawGeometry overview; // routes[0].geometry
    size_t stepCount = 0;
};

// Reads routes[0] of `root`. Throws RouteFileError naming the faulty path.
// GeoJSON geometries count against `maxPoints`.
RawRoute ReadRawRoute(const Json& root, size_t maxPoints);

// 5 or 6 (`requested` when it is one of them, else detected as RouteFiles.h
// describes), or 0 when the route holds no encoded polyline.
int ChoosePolylinePrecision(const RawRoute& route, int requested);

// Decodes the encoded step geometries (and the overview when there are no
// steps); throws with the path of a bad one or when the points exceed
// `maxPoints`.
void DecodeGeometries(RawRoute& route, int precision, size_t maxPoints);

} // namespace refhost::routefiles

#endif
