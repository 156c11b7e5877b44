#include "SurveyOptions.h"

#include "CommonOptions.h"

#include <CLI/CLI.hpp>

#include <cmath>
#include <cstdlib>

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
    "  arrow  the arrow head's tip lies on the track past the junction's last link,\n"
    "         where the leaving stretch ends, its axis within 10 degrees of the road;\n"
    "  turn   the band turns to the side and by the rough size of the instruction, keeps\n"
    "         the side of a fork or ramp named, and at a roundabout passes exactly the\n"
    "         exits before the one named;\n"
    "  drive  on every frame the route line starts at the vehicle (0.5 px) and never\n"
    "         reaches back behind it; the band shows from its announcement until its\n"
    "         junction is passed and not after, wholly in view from 3 s before the\n"
    "         junction, and the camera does not zoom out and back in while it shows.\n"
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

const char* kFooter =
    "\nWith --all-junctions, every junction of each extract (a node where three or more\n"
    "road segment ends meet, a way passing through counting twice; a roundabout's\n"
    "nodes; dead ends) is visited in the extract's order and every turn a car may\n"
    "make there is surveyed on a short route built along the roads, at every level\n"
    "of the size table. --shard K/N takes every Nth junction from the Kth; --merge\n"
    "adds the JSON reports of the shards of one run into one.\n"
    "\nExit codes: 0 every manoeuvre passed, 1 some failed, 2 bad command line, 3 an input\n"
    "cannot be read (or no route can be computed over an extract), 4 the JSON or the\n"
    "pictures cannot be written. Pictures and the JSON are data \xC2\xA9 OpenStreetMap\n"
    "contributors where they come from an extract.";

} // namespace

bool ParseShard(const std::string& text, std::size_t& shard, std::size_t& shards)
{
    const std::size_t slash = text.find('/');
    const auto number = [](const std::string& digits, std::size_t& value)
    {
        if (digits.empty() || digits.size() > 9 ||
            digits.find_first_not_of("0123456789") != std::string::npos)
            return false;
        value = std::stoul(digits);
        return true;
    };
    std::size_t k = 0;
    std::size_t n = 0;
    if (slash == std::string::npos || !number(text.substr(0, slash), k) ||
        !number(text.substr(slash + 1), n) || k < 1 || k > n)
        return false;
    shard = k;
    shards = n;
    return true;
}

std::optional<int> ParseCommandLine(int argc, char** argv, SurveyOptions& options)
{
    CLI::App app(kDescription, "advicepath-survey");
    app.footer(kFooter);
    app.set_version_flag("--version", std::string("advicepath-survey ") + ADVICEPATH_VERSION);
    app.add_option("INPUT", options.inputs, "OpenStreetMap extracts and route files");
    app.add_flag("--all-junctions", options.allJunctions,
                 "every turn at every junction of each extract (extracts only)");
    std::string shard;
    app.add_option("--shard", shard, "with --all-junctions: this run's share K of N (1 <= K <= N)")
        ->type_name("K/N");
    app.add_option("--junction", options.junction,
                   "with --all-junctions: only this junction (its number in a failure's line)")
        ->check(CLI::PositiveNumber);
    app.add_option("--merge", options.merge,
                   "merge these --json reports of one run's shards (same extracts and "
                   "options) into one, printed and written to --json")
        ->type_name("JSON")
        ->expected(1, 100000);
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
    app.add_option("-o,--output", options.outputDir,
                   "folder for a picture of each failure (created if missing)");
    app.add_option("--fps", options.framesPerSecond, "frames per second of driving time")
        ->check(CLI::Range(1.0, 60.0))
        ->capture_default_str();
    tools::AddLogAndReadingOptions(app, options.logLevel, options.logConfig, options.quiet,
                                   options.polylinePrecision, options.turnThresholdDegrees);
    // The table is the survey's result: quiet leaves out only the progress.
    app.get_option("--quiet")->description("no progress on standard error");
    if (auto code = tools::ParseArguments(app, argc, argv, "advicepath-survey"))
        return code;
    if (!shard.empty() && !ParseShard(shard, options.shard, options.shards))
        return tools::ReportUsageError(
            "advicepath-survey", "--shard: expected K/N with 1 <= K <= N, got \"" + shard + "\"");
    if (options.shards > 1 && !options.allJunctions)
        return tools::ReportUsageError("advicepath-survey", "--shard needs --all-junctions");
    if (options.merge.empty() == options.inputs.empty())
        return tools::ReportUsageError("advicepath-survey", options.merge.empty()
                                                                ? "INPUT is required"
                                                                : "--merge takes no INPUT");
    for (const std::string& text : between)
    {
        tagLonLat point{};
        const char* start = text.c_str();
        char* comma = nullptr;
        char* end = nullptr;
        point.lat = std::strtod(start, &comma);
        if (comma != start && *comma == ',')
            point.lon = std::strtod(comma + 1, &end);
        if (end == nullptr || end == comma + 1 || *end != '\0' ||
            !(std::fabs(point.lat) < 90.0 && std::fabs(point.lon) < 180.0))
            return tools::ReportUsageError("advicepath-survey",
                                           "--between: expected LAT,LON, got \"" + text + "\"");
        options.between.push_back(point);
    }
    return std::nullopt;
}

} // namespace survey
