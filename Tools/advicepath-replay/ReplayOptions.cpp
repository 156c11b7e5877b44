#include "ReplayOptions.h"

#include <CLI/CLI.hpp>

#include <cmath>
#include <cstdlib>

namespace tools
{

namespace
{

const char* kDescription =
    "Replays a route file as a drive: the vehicle moves along the route on its time base\n"
    "(the file's times, else --speed) while the advice-path render library draws on every\n"
    "frame through its exported interface, as a device's frame loop calls it: the route line\n"
    "from the vehicle on, the band of the next manoeuvre from its announcement until the\n"
    "junction is passed, a camera that follows and zooms in towards junctions. Writes\n"
    "drive.webp (an animated WebP), frames.json (one record per frame) and index.html.\n"
    "\n"
    "With --measure: drives the route at 30 frames per second of driving time on a map view\n"
    "that only counts, as fast as the machine goes, and reports what the library's calls\n"
    "cost per frame.\n"
    "\n"
    "Route files: v5 directions responses (JSON), GeoJSON lines or point tracks, GPX.\n"
    "Instead of a route file, --map EXTRACT --between LAT,LON LAT,LON [...] computes a\n"
    "car route through the points over an OpenStreetMap extract with the Routino\n"
    "routing engine (Debian package routino, run as a separate program; its database\n"
    "is built once per extract and kept in the user's cache folder).";

const char* kFooter =
    "Timing: while a manoeuvre is announced the drive plays --speed-up times faster than\n"
    "real time; the stretches between announcements play faster (at least twice as fast),\n"
    "so that the animation lasts at most --max-seconds. Announcements take at most three\n"
    "quarters of it: a route with many of them plays them faster than --speed-up.\n"
    "A manoeuvre is announced --announce-metres or --announce-seconds of travel before its\n"
    "junction, whichever is farther, and its band shows until the junction is passed.\n"
    "--from and --to take a distance along the route (\"1500m\", \"12.5km\") or a manoeuvre\n"
    "number (\"3\": from 5 s before its announcement, or to 5 s past its junction).\n"
    "The camera follows heading-up (or --north-up), a quarter of the view ahead of the\n"
    "vehicle, and changes its level by at most one a second of driving.\n"
    "Colours and size tables as in advicepath-render.\n"
    "\n"
    "Files are written whole or not at all.";

} // namespace

bool ParseRoutePoint(const std::string& text, RoutePoint& point)
{
    if (text.empty())
        return false;
    const char* begin = text.c_str();
    char* end = nullptr;
    const double number = std::strtod(begin, &end);
    if (end == begin || !std::isfinite(number) || number < 0.0)
        return false;
    const std::string unit(end);
    if (unit.empty())
    {
        // A manoeuvre number: a whole number from 1.
        if (number < 1.0 || number != std::floor(number) || number > 1e9 ||
            text.find_first_not_of("0123456789") != std::string::npos)
            return false;
        point = RoutePoint{true, 0.0, static_cast<int>(number)};
        return true;
    }
    if (unit != "m" && unit != "km")
        return false;
    point = RoutePoint{false, unit == "km" ? number * 1000.0 : number, 0};
    return true;
}

std::optional<int> ParseReplayCommandLine(int argc, char** argv, ReplayOptions& options)
{
    CLI::App app(kDescription, "advicepath-replay");
    DescribeTool(app, kFooter,
                 {"done", "", "the route file or size table cannot be read or used",
                  "the output cannot be written (or would exceed --max-mb)"});

    std::string from;
    std::string to;
    AddRouteSourceOptions(app, options.source, "the route file to replay");
    AddOutputFolderOption(app, options.outputDir,
                          "drive.webp, frames.json and index.html; required unless --measure",
                          "frame-NNNN.png");
    app.add_flag("--measure", options.measure,
                 "measure the library's cost per frame instead of writing an animation");
    app.add_option("--json", options.jsonFile, "with --measure: also write the figures as JSON");
    app.add_option("--speed", options.speedKmh,
                   "km/h on the links the route file gives no times for")
        ->check(CLI::Range(1.0, 1000.0))
        ->capture_default_str();
    app.add_option("--fps", options.framesPerSecond, "frames per second of animation")
        ->check(CLI::Range(1.0, 60.0))
        ->capture_default_str();
    app.add_option("--speed-up", options.speedUp, "times real time while a manoeuvre is announced")
        ->check(CLI::Range(0.1, 1000.0))
        ->capture_default_str();
    app.add_option("--max-seconds", options.maxSeconds, "longest animation, seconds")
        ->check(CLI::Range(1.0, 3600.0))
        ->capture_default_str();
    app.add_option("--max-mb", options.maxMegabytes, "largest drive.webp, megabytes (10^6 bytes)")
        ->check(CLI::Range(0.1, 1000.0))
        ->capture_default_str();
    app.add_option("--announce-metres", options.announceMetres,
                   "announce a manoeuvre at least this far before its junction")
        ->check(CLI::Range(0.0, 100000.0))
        ->capture_default_str();
    app.add_option("--announce-seconds", options.announceSeconds,
                   "announce a manoeuvre at least this long before its junction")
        ->check(CLI::Range(0.0, 3600.0))
        ->capture_default_str();
    app.add_option("--png", options.pngFrames,
                   "also write frame N (from 0) as frame-NNNN.png; may be repeated")
        ->check(CLI::NonNegativeNumber);
    app.add_flag("--north-up", options.northUp, "keep north up (default: heading up)");
    app.add_option("--from", from, "start of the part to replay (distance or manoeuvre)");
    app.add_option("--to", to, "end of the part to replay (distance or manoeuvre)");
    AddDrawingOptions(app, options.source, options, options, "frame");
    if (auto code = ParseDrawingArguments(app, argc, argv, options.source, options))
        return code;

    if (!options.measure && options.outputDir.empty())
        return ReportUsageError("--output is required (or --measure)");
    if (!options.jsonFile.empty() && !options.measure)
        return ReportUsageError("--json goes with --measure");
    if (options.measure && !options.pngFrames.empty())
        return ReportUsageError("--png goes with an animation, not with --measure");
    for (auto [text, point, name] :
         {std::tuple{&from, &options.from, "--from"}, std::tuple{&to, &options.to, "--to"}})
    {
        if (text->empty())
            continue;
        RoutePoint parsed;
        if (!ParseRoutePoint(*text, parsed))
            return ReportUsageError(std::string(name) +
                                    ": expected a distance (\"1500m\", \"12.5km\") or a manoeuvre "
                                    "number, got \"" +
                                    *text + "\"");
        *point = parsed;
    }
    return std::nullopt;
}

} // namespace tools
