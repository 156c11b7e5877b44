// Where a tool's route comes from, as every tool takes it: a route file, or a
// car route computed over an OpenStreetMap extract (--map EXTRACT --between
// LAT,LON LAT,LON ...), and the extract whose roads are drawn under it.
#ifndef TOOLS_COMMON_ROUTESOURCE_H
#define TOOLS_COMMON_ROUTESOURCE_H

#include "LonLat.h"
#include "Route/RouteDescription.h"
#include "Route/RouteModel.h"

#include <optional>
#include <string>
#include <vector>

namespace CLI
{
class App;
}

namespace tools
{

struct RouteSource
{
    std::string routeFile; // empty with --between
    std::string mapFile;   // --map: an OSM extract (PBF, XML, .gz, .bz2); may be empty
    std::vector<std::string> betweenText; // --between as given
    std::vector<tagLonLat> between;       // the same points, in order
    int polylinePrecision = 0;            // --polyline-precision, 0: detect
    double turnThresholdDegrees = 30;     // --turn-threshold
};

// Adds ROUTE_FILE (described as `routeFileHelp`), --map and --between to `app`.
void AddRouteSourceOptions(CLI::App& app, RouteSource& source, const std::string& routeFileHelp);

// After parsing: checks that there is one route (a file, or --between with
// --map) and reads the points of --between. A message for a usage error
// (exit 2), or nothing.
std::optional<std::string> FinishRouteSource(RouteSource& source);

// What pages and records call the route: the route file's name, or the
// extract's name and the points ("andorra.osm.pbf 42.5063,1.5216 -> ...").
std::string RouteSourceName(const RouteSource& source);

// The points of a --between option as given, in order, into `points`: a
// message for a usage error naming the first that is not LAT,LON, or nothing.
std::optional<std::string> ParseBetween(const std::vector<std::string>& texts,
                                        std::vector<tagLonLat>& points);

// "LAT,LON" in decimal degrees into `point`; false for anything else (one
// comma, finite numbers, -90 < LAT < 90, -180 < LON < 180).
bool ParseLatLon(const std::string& text, tagLonLat& point);

// Reads the route file, or computes the route, and builds its model into
// `model`. False, with `message` naming the input and the problem (one line;
// exit 3), when there is no route; `model` is then left empty. `quiet` keeps
// the routing engine's progress lines off standard error. `description`,
// when given, receives the route the model was built from.
bool LoadRouteModel(const RouteSource& source, bool quiet,
                    std::optional<refhost::RouteModel>& model, std::string& message,
                    refhost::RouteDescription* description = nullptr);

} // namespace tools

#endif
