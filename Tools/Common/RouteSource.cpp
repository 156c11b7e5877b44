#include "RouteSource.h"

#include "RouteModelInput.h"

#include "RouteFiles/RouteFiles.h"
#include "Routing/Routing.h"

#include <CLI/CLI.hpp>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>

namespace tools
{

namespace
{

bool ParseNumber(const std::string& text, double& value)
{
    if (text.empty() || std::isspace(static_cast<unsigned char>(text.front())))
        return false;
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return end == text.c_str() + text.size() && std::isfinite(value);
}

} // namespace

void AddRouteSourceOptions(CLI::App& app, RouteSource& source, const std::string& routeFileHelp)
{
    app.add_option("ROUTE_FILE", source.routeFile, routeFileHelp + " (or --map with --between)");
    app.add_option(
           "--map", source.mapFile,
           "OpenStreetMap extract (.osm.pbf, .osm, .osm.gz, .osm.bz2) whose roads are drawn "
           "under the route, and over which --between computes it")
        ->check(CLI::ExistingFile);
    app.add_option("--between", source.betweenText,
                   "compute a car route over the --map extract through these points, in order: "
                   "LAT,LON LAT,LON [LAT,LON ...] in decimal degrees")
        ->expected(2, -1);
}

std::optional<std::string> FinishRouteSource(RouteSource& source)
{
    if (source.betweenText.empty())
    {
        if (source.routeFile.empty())
            return std::string("a ROUTE_FILE, or --map EXTRACT with --between, is required");
        return std::nullopt;
    }
    if (!source.routeFile.empty())
        return "--between computes the route: give no ROUTE_FILE (" + source.routeFile + ")";
    if (source.mapFile.empty())
        return std::string("--between needs --map EXTRACT to route over");
    return ParseBetween(source.betweenText, source.between);
}

std::optional<std::string> ParseBetween(const std::vector<std::string>& texts,
                                        std::vector<tagLonLat>& points)
{
    points.clear();
    for (const std::string& text : texts)
    {
        tagLonLat point{};
        if (!ParseLatLon(text, point))
            return "--between: expected LAT,LON in decimal degrees, got \"" + text + "\"";
        points.push_back(point);
    }
    return std::nullopt;
}

std::string RouteSourceName(const RouteSource& source)
{
    if (source.betweenText.empty())
        return std::filesystem::path(source.routeFile).filename().string();
    std::string name = std::filesystem::path(source.mapFile).filename().string();
    for (size_t i = 0; i < source.betweenText.size(); ++i)
        name += (i == 0 ? " " : " -> ") + source.betweenText[i];
    return name;
}

bool ParseLatLon(const std::string& text, tagLonLat& point)
{
    const size_t comma = text.find(',');
    if (comma == std::string::npos || text.find(',', comma + 1) != std::string::npos)
        return false;
    double lat = 0.0;
    double lon = 0.0;
    if (!ParseNumber(text.substr(0, comma), lat) || !ParseNumber(text.substr(comma + 1), lon))
        return false;
    if (!(lat > -90.0 && lat < 90.0 && lon > -180.0 && lon < 180.0))
        return false;
    point = tagLonLat{lon, lat};
    return true;
}

bool LoadRouteModel(const RouteSource& source, bool quiet,
                    std::optional<refhost::RouteModel>& model, std::string& message,
                    refhost::RouteDescription* description)
{
    model.reset();
    refhost::RouteDescription route;
    if (source.between.empty())
    {
        refhost::RouteReadOptions readOptions;
        readOptions.polylinePrecision = source.polylinePrecision;
        readOptions.turnThresholdDegrees = source.turnThresholdDegrees;
        refhost::RouteReadResult read = refhost::ReadRouteFile(source.routeFile, readOptions);
        if (!read.ok)
        {
            message = read.error;
            return false;
        }
        route = std::move(read.route);
    }
    else
    {
        refhost::routing::RoutingOptions options;
        if (quiet)
            options.progress = [](const std::string&) {};
        refhost::routing::RoutingResult computed =
            refhost::routing::ComputeRoute(source.mapFile, source.between, options);
        if (!computed.ok)
        {
            message = computed.error;
            return false;
        }
        route = std::move(computed.route);
    }
    const bool ok = ModelOfRoute(
        route, source.between.empty() ? source.routeFile : RouteSourceName(source), model, message);
    if (ok && description != nullptr)
        *description = std::move(route);
    return ok;
}

} // namespace tools
