#include "Routing.h"

#include "RoutingDatabase.h"
#include "RoutingFailure.h"
#include "RoutinoPrograms.h"
#include "RoutinoRoute.h"
#include "RoutinoRouter.h"
#include "TempFolder.h"
#include "TextFields.h"

#include "RouteFiles/RouteAssembly.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <system_error>

namespace refhost::routing
{

namespace
{

void CheckPoints(const std::vector<tagLonLat>& points)
{
    if (points.size() < 2)
        Fail("a route needs at least two points (start and end), given " +
             std::to_string(points.size()));
    for (size_t i = 0; i < points.size(); ++i)
        routefiles::CheckPoint(points[i], "point " + std::to_string(i + 1));
}

std::string TempPrefix()
{
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::temp_directory_path(error);
    return (error ? std::filesystem::path("/tmp") : folder).string() + "/advicepath-route-";
}

std::function<void(const std::string&)> ProgressOf(const RoutingOptions& options)
{
    if (options.progress)
        return options.progress;
    return [](const std::string& line)
    { static_cast<void>(std::fprintf(stderr, "%s\n", line.c_str())); };
}

RoutingResult Compute(const std::string& extractPath, const std::vector<tagLonLat>& points,
                      const RoutingOptions& options)
{
    RoutingResult result;
    CheckPoints(points);
    const std::string cache = CacheFolder(options);
    if (cache.empty())
        Fail("no cache folder for the routing database: neither XDG_CACHE_HOME nor HOME is set");
    std::error_code error;
    if (!std::filesystem::is_regular_file(extractPath, error))
        Fail(extractPath + ": cannot read: " +
             (std::filesystem::exists(extractPath, error) ? "not a file"
                                                          : "No such file or directory"));
    const RoutinoPrograms programs = FindRoutino();
    const TempFolder work(TempPrefix());
    result.database =
        EnsureDatabase(programs, extractPath, cache, work.Path(), ProgressOf(options));
    result.output = RunRouter(programs, result.database, points, work.Path(), extractPath);
    NetworkSource network;
    if (options.junctionRoads)
    {
        network = [&programs, database = result.database,
                   folder = work.Path()](const tagLonLat& southWest, const tagLonLat& northEast)
        {
            return RoadNetworkPart::FromDump(
                DumpBox(programs, database, southWest, northEast, folder),
                JunctionCounts(programs, database, southWest, northEast, folder));
        };
    }
    result.route = BuildRoutinoRoute(result.output, extractPath, network);
    result.ok = true;
    return result;
}

} // namespace

std::string CacheFolder(const RoutingOptions& options)
{
    if (!options.cacheFolder.empty())
        return options.cacheFolder;
    // As XDG base directories go, a relative XDG_CACHE_HOME is ignored.
    const char* xdg = std::getenv("XDG_CACHE_HOME");
    if (xdg != nullptr && xdg[0] == '/')
        return std::string(xdg) + "/advicepath/routino";
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] != '\0')
        return std::string(home) + "/.cache/advicepath/routino";
    return {};
}

RoutingResult ComputeRoute(const std::string& extractPath, const std::vector<tagLonLat>& points,
                           const RoutingOptions& options) noexcept
{
    try
    {
        return Compute(extractPath, points, options);
    }
    catch (const std::exception& failure)
    {
        RoutingResult result;
        result.error = failure.what();
        return result;
    }
}

RoutingResult RouteFromRoutinoOutput(const RoutinoOutput& output,
                                     const std::string& sourceName) noexcept
{
    RoutingResult result;
    try
    {
        result.route = BuildRoutinoRoute(output, sourceName, NetworkSource());
        result.output = output;
        result.ok = true;
    }
    catch (const std::exception& failure)
    {
        result = RoutingResult();
        result.error = failure.what();
    }
    return result;
}

} // namespace refhost::routing
