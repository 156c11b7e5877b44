// Car routes over an OpenStreetMap extract, computed by the Routino routing
// engine and read into a RouteDescription, the route model's input:
//
//     refhost::routing::RoutingResult result = refhost::routing::ComputeRoute(
//         "data/osm/andorra.osm.pbf", {{1.5216, 42.5063}, {1.5390, 42.5100}}); // lon, lat
//     if (!result.ok)
//         std::fprintf(stderr, "%s\n", result.error.c_str()); // one line; exit 3
//     else
//         Use(result.route);
//
// Routino's programs (planetsplitter, routino-router or router, filedumper;
// Debian package routino) run as separate processes found on PATH, started
// without a shell; its library is never linked.
//
// The routing database of an extract is built once, with Routino's installed
// tagging rules plus one of this project's (RoutinoTagging.h) and no pruning
// (the track keeps every node, so that it lies on the drawn roads), and kept
// under <cache>/<sha256 of the extract's bytes>/; <cache> is
// RoutingOptions::cacheFolder, else $XDG_CACHE_HOME/advicepath/routino, else
// $HOME/.cache/advicepath/routino. It is built in a temporary folder beside
// its place and renamed into it, so a database in place is always whole; two
// processes building the same one at once leave one. A database built by
// another Routino version or other rules is built again.
//
// The route (quickest, car profile):
// - links: the track with every node, cut wherever the road changes and at
//   every manoeuvre and via point; consecutive links share their joining
//   point. name and ref from Routino's road ("Name (Ref)"); none for its
//   words for unnamed roads ("primary road").
// - times: Routino's segment durations, each run of segments on one road at
//   one speed spread over its length (the durations are written to 0.6 s).
// - manoeuvres, only where a driver is told something: turns (the angle
//   measured on the track over 20 m either side), forks, ramps, roundabouts
//   (NAV_TURN_ROUNDABOUT from the link that ends at the entry to the last
//   link inside, the exit numbered by the roads off the circle a car may
//   leave on before it: Routino's own number with no junction roads), via
//   points ("At waypoint 1,
//   ..."), the arrival. Worded as the route-file readers word them
//   (RouteFiles/TurnText.h), "onto" the road's name where it has one.
// - junctions: the other roads a car may use at each manoeuvre's junction,
//   and whether it may leave on each, from the database (filedumper), when
//   RoutingOptions::junctionRoads.
// - destinations: the via points and the end, where the route passes them
//   (the given points moved onto the road); origin: the start likewise.
// - statedDistance: the sum of Routino's segment distances.
#ifndef ADVICEPATH_ROUTING_ROUTING_H
#define ADVICEPATH_ROUTING_ROUTING_H

#include "Route/RouteDescription.h"
#include "RoutinoOutput.h"

#include <functional>
#include <string>
#include <vector>

namespace refhost::routing
{

struct RoutingOptions
{
    // Where databases are kept; "" for the user's cache folder (above).
    std::string cacheFolder;
    // Whether to ask the database for the other roads at the junctions (a
    // few milliseconds per manoeuvre); also needed to tell forks and the
    // side of a ramp.
    bool junctionRoads = true;
    // Receives a line about long work (building a database); unset, the line
    // goes to stderr. A function that does nothing keeps it quiet.
    std::function<void(const std::string& line)> progress;
};

struct RoutingResult
{
    bool ok = false;
    // One line naming the input and the problem, empty when ok: a point not
    // near any road a car may use, no route between two points, a missing,
    // unreadable, truncated or non-OSM extract, Routino not installed, fewer
    // than two points, ...
    std::string error;
    RouteDescription route; // empty unless ok
    RoutinoOutput output;   // Routino's outputs of the route, when it ran
    std::string database;   // the database folder used, when there was one
};

// The quickest car route through `points` (longitude, latitude in degrees;
// start, via points, end) over the extract (OSM PBF, or OSM XML plain or
// compressed with gzip or bzip2). route.source is the extract's path.
// Never throws; a failure leaves the cache as it was (or with a new whole
// database).
RoutingResult ComputeRoute(const std::string& extractPath, const std::vector<tagLonLat>& points,
                           const RoutingOptions& options = {}) noexcept;

// Reads a route from Routino's outputs without running anything (recorded
// outputs, tests); no junction roads. route.source is `sourceName`.
RoutingResult RouteFromRoutinoOutput(const RoutinoOutput& output,
                                     const std::string& sourceName) noexcept;

// The folder ComputeRoute keeps databases in with these options, or "" when
// neither XDG_CACHE_HOME nor HOME is set and no folder is given.
std::string CacheFolder(const RoutingOptions& options);

} // namespace refhost::routing

#endif
