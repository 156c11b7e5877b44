#include "RenderOptions.h"

#include <CLI/CLI.hpp>

namespace tools
{

namespace
{

const char* kDescription =
    "Renders a route file with the advice-path render library on the reference host:\n"
    "an overview of the whole route (route line and origin-destination line) and one\n"
    "picture per manoeuvre (the junction band and arrow head drawn through the\n"
    "library's exported interface, as a device does), plus index.html showing them all.\n"
    "\n"
    "Route files: v5 directions responses (JSON, encoded polylines of precision 5 or 6\n"
    "or GeoJSON geometry), GeoJSON lines or point tracks, GPX tracks and routes.\n"
    "Instead of a route file, --map EXTRACT --between LAT,LON LAT,LON [...] computes a\n"
    "car route through the points over an OpenStreetMap extract with the Routino\n"
    "routing engine (Debian package routino, run as a separate program; its database\n"
    "is built once per extract and kept in the user's cache folder).\n"
    "\n"
    "Captions use the file's own words where it has them (a step's instruction, a GPX\n"
    "route point's description) and its banner (primary line large, secondary below);\n"
    "elsewhere the text is generated. index.html says which. Turn pictures show the\n"
    "roads not taken at the junction, where the file gives their bearings, as 30 m\n"
    "grey stubs under the route.\n"
    "\n"
    "A GPX file with route points that carry instructions (<desc>, else <cmt>, else\n"
    "<name>) and a track (<trk>) along the same way is read as one drive: the track\n"
    "gives the geometry and, when every track point has a <time>, the times; each\n"
    "route point is placed at the nearest point of the track in driving order (one\n"
    "10 to 50 m off a track that cuts its corner becomes a point of the geometry) and\n"
    "is a manoeuvre with its instruction as caption; the road after it takes the name\n"
    "its instruction gives (\"... onto <name>\"). Names of the file, its creator,\n"
    "tracks and routes never name a road. Without instructions the track (else the\n"
    "route points) is read as a line that turns where its direction changes.";

const char* kFooter =
    "Colours are the map view's 0xBBGGRR values or web colours #RRGGBB.\n"
    "A size table file is JSON: {\"maxTurnLevel\": 3, \"levels\": [{\"pathWidth\": 14,\n"
    "\"pathBorderWidth\": 18, \"edgeWidth\": 10, \"edgeBorderWidth\": 14, \"arrowFillParam\": "
    "100,\n"
    "\"arrowBorderParam\": 2, \"toLength\": 30, \"fromLength\": 30, \"lengthTolerance\": 3,\n"
    "\"arrowLength\": 12, \"arrowWidth\": 5}, ...]}, one record per level, level 0 finest;\n"
    "widths in pixels, lengths in metres.\n"
    "\n"
    "Pictures and index.html are written whole or not at all.";

} // namespace

std::optional<int> ParseCommandLine(int argc, char** argv, Options& options)
{
    CLI::App app(kDescription, "advicepath-render");
    DescribeTool(app, kFooter,
                 {"done", "", "the route file or size table cannot be read or used",
                  "the output cannot be written"});

    int maneuver = 0;
    AddRouteSourceOptions(app, options.source, "the route file to render");
    AddOutputFolderOption(app, options.outputDir, "the pictures and index.html",
                          "overview.*, turn-NNN.*")
        ->required();
    app.add_option("--maneuver", maneuver,
                   "render only manoeuvre N (1 = the first after the departure) and the overview");
    app.add_option("--format", options.format, "picture format")
        ->check(CLI::IsMember({"png", "svg", "pdf"}))
        ->capture_default_str();
    app.add_flag("--no-od-line", "leave out the straight origin-destination line of the overview");
    AddDrawingOptions(app, options.source, options, options, "picture");
    if (auto code = ParseDrawingArguments(app, argc, argv, options.source, options))
        return code;

    options.odLine = app.count("--no-od-line") == 0;
    if (app.count("--maneuver") != 0)
    {
        if (maneuver < 1)
            return ReportUsageError("--maneuver: manoeuvres are numbered from 1");
        options.maneuver = maneuver;
    }
    return std::nullopt;
}

} // namespace tools
