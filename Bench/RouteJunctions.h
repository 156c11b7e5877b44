// Real junctions for the benchmarks: the manoeuvres of shared route files, each
// with the path and turn information a device would hand to SetTurnInfo.
#ifndef AP_BENCH_ROUTEJUNCTIONS_H
#define AP_BENCH_ROUTEJUNCTIONS_H

#include "AdvicePathRenderEx.h"
#include "Route/RouteModel.h"

#include <memory>
#include <string>
#include <vector>

namespace bench
{

// One manoeuvre, ready for SetTurnInfo(turn, &path).
struct Junction
{
    size_t maneuver = 0;
    refhost::PathView path;
    CTurnInfo turn;
};

struct RouteJunctions
{
    std::string file; // the file's name inside the routes folder
    std::unique_ptr<refhost::RouteModel> model;
    // Every manoeuvre but the arrival (which draws no turn), in driving order.
    // Not resized after loading: handles keep pointers to the paths.
    std::vector<Junction> junctions;
};

// The route files of the turn benchmarks and of the comparison: a city centre,
// a roundabout, motorway ramps, a recorded track and a mountain road with
// hairpins; 5 files of different shape.
const std::vector<std::string>& TurnRouteFiles();
// The long route of the raster and SetCrossInfo benchmarks (629 km).
const char* LongRouteFile();

// The full path of `file` in the shared routes folder.
std::string RouteFilePath(const std::string& file);
// Takes the routes from `dataDirectory`/routes instead of the source tree's
// data folder (its absolute path, which differs from clone to clone and with
// it the heap's history: the instruction counts give a relative one).
void SetDataDirectory(const std::string& dataDirectory);

// Reads `file` and builds its model and junctions; on failure returns null and
// sets `error`.
std::unique_ptr<RouteJunctions> LoadRouteJunctions(const std::string& file, std::string& error);

// Loads every file of TurnRouteFiles(); on the first failure prints it and
// exits the process with status 2 (a benchmark without its data is no figure).
const std::vector<std::unique_ptr<RouteJunctions>>& TurnRoutes();

// Fills `s` with the size record of every turn benchmark and of the comparison, at level 0:
// entering stretch 100 m, leaving stretch 80 m, no tolerance, arrow head 20 m
// long and 2 x 8 m wide; band widths 10 and 14 pixels.
void TurnSizeRecord(AdvicePathSizeSetting& s);

} // namespace bench

#endif
