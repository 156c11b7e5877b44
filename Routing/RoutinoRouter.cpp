#include "RoutinoRouter.h"

#include "RoutingFailure.h"
#include "Subprocess.h"
#include "TextFields.h"

#include <cstdlib>

namespace refhost::routing
{

namespace
{

// Routino numbers waypoints --lon1 ... --lon99.
constexpr size_t kMaxPoints = 99;

// The number after `marker` in `text` (the last occurrence), or 0.
size_t NumberAfter(const std::string& text, const std::string& marker)
{
    const size_t at = text.rfind(marker);
    if (at == std::string::npos)
        return 0;
    return static_cast<size_t>(std::strtoul(text.c_str() + at + marker.size(), nullptr, 10));
}

[[noreturn]] void FailRoute(const std::string& said, const std::string& progress,
                            const std::vector<tagLonLat>& points, const std::string& extractName)
{
    const size_t point = NumberAfter(said, "specified point ");
    if (said.find("Cannot find node close to") != std::string::npos && point >= 1 &&
        point <= points.size())
        Fail(extractName + ": point " + std::to_string(point) + " " +
             DescribePoint(points[point - 1]) +
             " is not near any road a car may use (it lies outside the extract or off its "
             "roads)");
    const size_t from = NumberAfter(progress, "Routing from waypoint ");
    const size_t to = NumberAfter(progress, " to waypoint ");
    if (said.find("Cannot find") != std::string::npos && from >= 1 && to <= points.size() &&
        to > from)
        Fail(extractName + ": no route by car from point " + std::to_string(from) + " " +
             DescribePoint(points[from - 1]) + " to point " + std::to_string(to) + " " +
             DescribePoint(points[to - 1]));
    Fail(extractName + ": the router failed: " + said);
}

} // namespace

RoutinoOutput RunRouter(const RoutinoPrograms& programs, const std::string& database,
                        const std::vector<tagLonLat>& points, const std::string& workFolder,
                        const std::string& extractName)
{
    if (points.size() > kMaxPoints)
        Fail("at most " + std::to_string(kMaxPoints) + " points, given " +
             std::to_string(points.size()));
    ProgramRun run;
    run.program = programs.router;
    run.args = {"--dir=" + database, "--profile=motorcar", "--quickest", "--language=en",
                "--output-html",     "--output-text-all",  "--loggable"};
    for (size_t i = 0; i < points.size(); ++i)
    {
        const std::string number = std::to_string(i + 1);
        run.args.push_back("--lon" + number + "=" + FormatFixed(points[i].lon, 7));
        run.args.push_back("--lat" + number + "=" + FormatFixed(points[i].lat, 7));
    }
    run.workingFolder = workFolder;
    run.stdoutFile = workFolder + "/router.log";
    run.stderrFile = workFolder + "/router-errors.log";
    const ProgramResult result = RunProgram(run);
    if (!result.started)
        Fail(result.error);
    if (result.exitCode != 0)
    {
        std::string said = LastMessageLine(ReadWholeFile(run.stderrFile));
        if (said.empty())
            said = result.signal != 0 ? "ended by signal " + std::to_string(result.signal)
                                      : "exit status " + std::to_string(result.exitCode);
        FailRoute(said, ReadWholeFile(run.stdoutFile), points, extractName);
    }
    RoutinoOutput output;
    output.textAll = ReadWholeFile(workFolder + "/quickest-all.txt");
    output.html = ReadWholeFile(workFolder + "/quickest.html");
    if (output.textAll.empty() || output.html.empty())
        Fail(extractName + ": the router wrote no route (quickest-all.txt, quickest.html)");
    return output;
}

namespace
{

// filedumper over a box with `mode`'s arguments; its output, or "".
std::string DumpOfBox(const RoutinoPrograms& programs, const std::string& database,
                      const std::vector<std::string>& mode, const tagLonLat& southWest,
                      const tagLonLat& northEast, const std::string& outputFile)
{
    ProgramRun run;
    run.program = programs.filedumper;
    run.args = {"--dir=" + database};
    run.args.insert(run.args.end(), mode.begin(), mode.end());
    for (const std::string& bound :
         {"--latmin=" + FormatFixed(southWest.lat, 7), "--latmax=" + FormatFixed(northEast.lat, 7),
          "--lonmin=" + FormatFixed(southWest.lon, 7), "--lonmax=" + FormatFixed(northEast.lon, 7)})
        run.args.push_back(bound);
    run.stdoutFile = outputFile;
    run.stderrFile = outputFile + ".log";
    const ProgramResult result = RunProgram(run);
    if (!result.started || result.exitCode != 0)
        return {};
    return ReadWholeFile(run.stdoutFile);
}

} // namespace

std::string DumpBox(const RoutinoPrograms& programs, const std::string& database,
                    const tagLonLat& southWest, const tagLonLat& northEast,
                    const std::string& workFolder)
{
    // Without --no-super the dump holds Routino's super-segments too: its
    // shortcuts between far nodes, which would read as roads at a junction.
    return DumpOfBox(programs, database, {"--dump-osm", "--no-super"}, southWest, northEast,
                     workFolder + "/network.osm");
}

std::string JunctionCounts(const RoutinoPrograms& programs, const std::string& database,
                           const tagLonLat& southWest, const tagLonLat& northEast,
                           const std::string& workFolder)
{
    return DumpOfBox(programs, database, {"--visualiser", "--data=junctions"}, southWest, northEast,
                     workFolder + "/junctions.txt");
}

} // namespace refhost::routing
