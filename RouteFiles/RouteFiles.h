// Route files read into a RouteDescription: driving-directions responses in the
// v5 JSON format, GeoJSON lines or point tracks, and GPX tracks and routes.
//
//     refhost::RouteReadResult read = refhost::ReadRouteFile("drive.json");
//     if (!read.ok)
//         std::fprintf(stderr, "%s\n", read.error.c_str());
//     else
//         Use(read.route); // links, origin, destinations, maneuvers
//
// Nothing here throws: every failure comes back as a RouteReadResult with an
// error message that names the input and the problem ("route.json:3:17: invalid
// JSON: ...", "route.json: routes[0].legs[1].steps[3].geometry: expected a
// string or a LineString, found a number"). A failed read never hands out a
// partial route. Lengths and distances are metres on the WGS84 ellipsoid
// (refhost::geodesy), summed along the links.
//
// What each format gives (links, manoeuvres, captions, times) is described
// for users in docs/ROUTE-FILES.md.
#ifndef ROUTEFILES_ROUTEFILES_H
#define ROUTEFILES_ROUTEFILES_H

#include "Route/RouteDescription.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

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

// Reads the route file at `path`; route.source is `path`. The format is told
// from the content unless `formatHint` names it.
RouteReadResult ReadRouteFile(const std::string& path, const RouteReadOptions& options = {},
                              RouteFormat formatHint = RouteFormat::Auto) noexcept;

// Reads a route held in memory. `sourceName` names it in messages and in
// route.source.
RouteReadResult ParseRoute(std::string_view text, RouteFormat formatHint = RouteFormat::Auto,
                           const RouteReadOptions& options = {},
                           const std::string& sourceName = "<input>") noexcept;

// Decodes an encoded polyline (pairs of latitude, longitude scaled by 10^5 or
// 10^6, zig-zag varints of 5-bit groups offset by 63) into points. Returns
// false with `error` set on a character outside '?'..'~', a value cut short, a
// latitude without its longitude, a value over 32 bits or a coordinate out of
// range; `points` is then left empty.
bool DecodePolyline(std::string_view encoded, int precision, std::vector<tagLonLat>& points,
                    std::string& error) noexcept;

// The turn type for a change of direction of `angleDegrees` (positive to the
// right, -180..180): below 20 straight, below 60 slight, below 120 plain,
// below 165 sharp, else a U-turn.
NAV_TURN_TYPE_tag ClassifyTurnAngle(double angleDegrees) noexcept;

} // namespace refhost

#endif
