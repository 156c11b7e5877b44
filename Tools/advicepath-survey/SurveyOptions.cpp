#include "SurveyOptions.h"

#include "RouteSource.h"

#include <CLI/CLI.hpp>

namespace survey
{

namespace
{

const char* kDescription =
    "Drives routes through the advice-path render library as a device's frame loop calls\n"
    "it (the drive of advicepath-replay, on a map view that records every call) and\n"
    "checks every manoeuvre in numbers:\n"
    "  band   every point of the junction band lies within 0.5 m of the route's track\n"
    "         (the points the library computes: plus sin 0.25 degrees of the length\n"
    "         they were measured over), in driving order, and the band begins where\n"
    "         the size record puts it;\n"
    "  arrow  the arrow head is the size record's (length, base width, right corner\n"
    "         first), its tip lies on the track where the leaving stretch ends and its\n"
    "         axis along the chord from where the walk back from the tip passes the\n"
    "         arrow's length, the band ending at its base (a bend of the road under\n"
    "         the arrow is counted in the row \"arrow over a bend\", never failed);\n"
    "  turn   the band turns to the side and by the class of the instruction (the next\n"
    "         class only within 10 degrees of the boundary), keeps the side of a fork\n"
    "         or ramp named, and at a roundabout passes exactly the exits before the\n"
    "         one named;\n"
    "  drive  on every frame the route line starts at the vehicle (0.5 px) and never\n"
    "         reaches back behind it; the band shows from its announcement (the\n"
    "         host's rule applied to the route) until the route leaves its junction\n"
    "         and not after, wholly in view from 3 s before the junction, and the\n"
    "         camera does not zoom out and back in while it shows;\n"
    "  calls  every map view call is one the library documents, in its order, with\n"
    "         the size record's widths.\n"
    "\n"
    "An INPUT is an OpenStreetMap extract (.osm, .osm.gz, .osm.bz2, .osm.pbf, or such\n"
    "content), over which --routes car routes are computed with Routino between points\n"
    "chosen from the seed (random pairs, and routes aimed through roundabouts, motorway\n"
    "links, junctions near their start and end, dead ends that force a U-turn), or a\n"
    "route file (v5 directions JSON, GeoJSON, GPX), whose own route is driven.\n"
    "\n"
    "Prints a table of the manoeuvres checked and failed by class of junction and by\n"
    "check, one line per failed manoeuvre with the command that shows it again, and last\n"
    "\"N manoeuvres checked, F failed\". Progress goes to standard error.";

const char* kFooter = "Pictures and the JSON are data \xC2\xA9 OpenStreetMap contributors where "
                      "they come\nfrom an extract.";

} // namespace

std::optional<int> ParseCommandLine(int argc, char** argv, SurveyOptions& options)
{
    CLI::App app(kDescription, "advicepath-survey");
    tools::DescribeTool(app, kFooter,
                        {"every manoeuvre passed", "some failed",
                         "an input cannot be read (or no route can be computed over an extract)",
                         "the JSON or the pictures cannot be written"});
    app.add_option("INPUT", options.inputs, "OpenStreetMap extracts and route files")->required();
    app.add_option("--routes", options.routes,
                   "routes surveyed over each extract (more are planned, as some find no way)")
        ->check(CLI::Range(1, 100000))
        ->capture_default_str();
    std::vector<std::string> between;
    app.add_option("--between", between,
                   "survey one route through these points (LAT,LON ...) over each extract "
                   "instead of --routes planned ones")
        ->type_name("LAT,LON")
        ->expected(2, 100);
    app.add_option("--seed", options.seed, "seed of the route points (same seed, same routes)")
        ->capture_default_str();
    app.add_option("--json", options.jsonFile, "also write the table and failures as JSON");
    tools::AddOutputFolderOption(app, options.outputDir, "a picture of each failure",
                                 "failure-NNNN.png");
    app.add_option("--fps", options.framesPerSecond, "frames per second of driving time")
        ->check(CLI::Range(1.0, 60.0))
        ->capture_default_str();
    tools::AddLogOptions(app, options);
    tools::AddReadingOptions(app, options.polylinePrecision, options.turnThresholdDegrees);
    // The table is the survey's result: quiet leaves out only the progress.
    app.get_option("--quiet")->description("no progress on standard error");
    if (auto code = tools::ParseArguments(app, argc, argv))
        return code;
    if (auto problem = tools::ParseBetween(between, options.between))
        return tools::ReportUsageError(*problem);
    return std::nullopt;
}

} // namespace survey
