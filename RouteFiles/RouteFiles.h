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
// for users in docs/ROUTE-FILES.md. The readers below this front share its
// types through ReadOptions.h, Polyline.h and TurnClass.h, never this header.
#ifndef ROUTEFILES_ROUTEFILES_H
#define ROUTEFILES_ROUTEFILES_H

#include "Polyline.h"
#include "ReadOptions.h"
#include "TurnClass.h"

#include <string>
#include <string_view>

namespace refhost
{

// Reads the route file at `path`; route.source is `path`. The format is told
// from the content unless `formatHint` names it.
RouteReadResult ReadRouteFile(const std::string& path, const RouteReadOptions& options = {},
                              RouteFormat formatHint = RouteFormat::Auto) noexcept;

// Reads a route held in memory. `sourceName` names it in messages and in
// route.source.
RouteReadResult ParseRoute(std::string_view text, RouteFormat formatHint = RouteFormat::Auto,
                           const RouteReadOptions& options = {},
                           const std::string& sourceName = "<input>") noexcept;

} // namespace refhost

#endif
