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
// Directions responses (v5): routes[0] only.
// - Links: the step geometries (the route-level overview may be simplified
//   and is read only when no leg has steps, as a track below), each step cut
//   at the vertices that its intersections lie on (within 5 m, matched in
//   driving order). Consecutive links share their end and start point; a gap
//   between two steps is bridged by the first link of the later step. Links
//   carry the step's name and ref.
// - Manoeuvres: one per step except the `depart` steps, at the step's
//   maneuver.location. enterLink is the link that ends at the junction (0 for
//   a manoeuvre before any link); exitLink equals it, except for roundabouts
//   ("roundabout", "rotary", "roundabout turn"), which span the links inside
//   the circle: exitLink ends where the route leaves it (the start of a
//   following "exit roundabout"/"exit rotary" step, else the intersection of
//   the step that is the `exit`-th with a way out besides the way on, else
//   the step's end). Types: roundabouts and their exit steps
//   NAV_TURN_ROUNDABOUT, "merge" NAV_TURN_MERGE, "fork" NAV_TURN_FORK, others
//   from the modifier (else from bearing_before/bearing_after, else
//   straight). The final `arrive` is NAV_TURN_END at the end of the last
//   link. Each other leg's `arrive` is a waypoint manoeuvre ("At waypoint 1,
//   turn right onto ...", its type from the bearing into the waypoint and the
//   bearing out of the next leg's `depart`), and that `depart` adds none.
//   Instructions are made here in English from type, modifier, exit numbers
//   (`exits`) and destinations; the step's own maneuver.instruction is kept
//   as fileInstruction (for a waypoint: the arrival's and the departure's),
//   and the last bannerInstructions of the step before as the banner lines.
//   fromName and toName are the road names (name, else ref) of the previous
//   and of this step. junctions: the step's first intersection (inside a
//   roundabout, every one up to the exit) with the bearings of the roads
//   other than `in` and `out`.
// - Destinations: the end of every leg. statedDistance: routes[0].distance.
// - Times (RoadLink::times): from each leg's annotation where it gives one
//   value per segment of the leg's geometry (duration, else distance over
//   speed), else each step's duration spread over its length; none when a
//   step has neither.
//
// GPX with route points that carry instructions (<desc>, <cmt> or <name>):
// the track gives the geometry and, where every point has a <time>, the
// times; the route points give the manoeuvres, each placed at the nearest
// point of the track in driving order (GuidedRoute.h), with their
// instructions and the road names these give ("... onto <name>"). Without a
// track the route points are the geometry.
//
// Tracks: GeoJSON (LineString, MultiLineString, MultiPoint, Feature,
// FeatureCollection, GeometryCollection), GPX without instructions (trk/
// trkseg/trkpt, else rte/rtept), and directions responses without steps.
// - The points in file order with consecutive duplicates dropped, separate
//   lines joined end to start. A FeatureCollection of Point features is read
//   as a recorded track; Points beside lines are ignored.
// - The line is cut where its direction changes by more than
//   turnThresholdDegrees, each cut a manoeuvre typed by ClassifyTurnAngle and
//   worded "Turn left" (+ " onto <name>" from the first Feature's
//   properties.name; GPX names of the file, track or route never name a
//   road); the arrival at the last point ends the route. One destination: the
//   last point. No statedDistance.
// - Times: a GeoJSON Feature's properties.coordTimes (or .times), one ISO
//   8601 time or number of seconds per position of its LineString,
//   MultiPoint or MultiLineString (one list per line, or one for all), in
//   order; used when every point of the track has one. GPX: the track
//   points' <time>, relative to the first.
// Origin: the first point of the first link.
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
