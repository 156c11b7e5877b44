// What a route file is read with and what the reading gives: the format,
// the options and the result (RouteFiles.h reads with them).
#ifndef ROUTEFILES_READOPTIONS_H
#define ROUTEFILES_READOPTIONS_H

#include "Route/RouteDescription.h"

#include <cstddef>
#include <string>

namespace refhost
{

enum class RouteFormat
{
    Auto,           // by content: '<' starts GPX, else JSON told apart by its keys
    DirectionsJson, // v5 directions response ("routes")
    GeoJson,
    Gpx,
};

struct RouteReadOptions
{
    // Precision of encoded polylines in directions responses: 5, 6, or 0 to
    // detect it. Detection decodes the first step's geometry both ways and
    // takes the precision whose first point lies nearer the step's
    // maneuver.location (within 1 km); without a usable location it compares
    // the decoded length of the route with routes[0].distance; without that it
    // takes 6 when only precision 6 gives valid coordinates, else 5.
    int polylinePrecision = 0;
    // A track turns where its direction changes by more than this, degrees
    // (0 to 180).
    double turnThresholdDegrees = 30.0;
    // The direction into and out of a track point is measured over this many
    // metres of track either side, so that GPS jitter and curves drawn with
    // many small steps give one turn; 0 compares the adjacent segments alone.
    double turnWindowMetres = 20.0;
    // Whether the manoeuvres go through the guidance rules (GuidanceRules.h):
    // false leaves them as the file gives them, one per step or route point
    // and one per turn of a track (to check a file against its own words).
    bool guidanceRules = true;
    // Limits against hostile or broken input; exceeding one is an error.
    // While parsing, each JSON value takes some 50 bytes (a GeoJSON position
    // is three values): the default value limit bounds that at about 800 MB.
    size_t maxInputBytes = size_t(256) << 20;
    size_t maxPoints = 4000000;      // points of the whole route, as read
    size_t maxJsonValues = 16000000; // JSON values of the whole document
};

struct RouteReadResult
{
    bool ok = false;
    std::string error;                      // empty when ok
    RouteDescription route;                 // empty unless ok
    RouteFormat format = RouteFormat::Auto; // what the input was read as
    int polylinePrecision = 0;              // 5 or 6 when encoded polylines were read
};

} // namespace refhost

#endif
