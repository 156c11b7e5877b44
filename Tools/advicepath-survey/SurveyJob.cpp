#include "SurveyJob.h"

#include "CommonOptions.h"
#include "ExitCount.h"
#include "ExtractRoads.h"
#include "FailurePicture.h"
#include "JunctionRoutes.h"
#include "OutputFiles.h"
#include "Progress.h"
#include "RoutePlanner.h"
#include "RouteSource.h"
#include "RouteSurvey.h"
#include "SizeTable.h"
#include "SurveyReport.h"

#include "RouteFiles/RouteAssembly.h"
#include "Routing/Routing.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <sys/resource.h>
#include <unistd.h>
#include <utility>

namespace survey
{

namespace
{

namespace fs = std::filesystem;

// Routes planned for each one wanted over an extract.
constexpr std::size_t kPlannedPerRoute = 3;
// A junction's short route reaches this much beyond the band either side.
constexpr double kApproachMetres = 30.0;
// The drive along a short route means something where the route begins at
// least this far before the junction: the announcement (200 m, 15 s at the
// drive's 50 km/h) and the camera's preroll before it (3 s and 50 m) with
// room to spare. The routes walk back this far where the roads allow.
constexpr double kDriveApproachMetres = 320.0;
// Frames per second of the drives held at one level: the band at a level
// changes only as the vehicle passes its start, so fewer frames see it all.
constexpr double kHeldFramesPerSecond = 2.0;

// Leaves out the drive checks' findings (a drive that means nothing).
void DropDriveFindings(std::vector<ManeuverReport>& reports)
{
    for (ManeuverReport& report : reports)
    {
        report.findings[kDriveCheck] = Finding();
        if (report.failedCheck != kDriveCheck)
            continue;
        report.failedCheck = -1;
        report.failure.reset();
        for (const int check : {kBandCheck, kArrowCheck, kTurnCheck})
            if (report.failedCheck < 0 &&
                !report.findings[static_cast<std::size_t>(check)].Passed())
                report.failedCheck = check;
    }
}

// Adds the band, arrow and turn findings of a drive held at one level.
void AddHeldFindings(ManeuverReport& report, const ManeuverReport& held)
{
    for (const int check : {kBandCheck, kArrowCheck, kTurnCheck})
    {
        const Finding& found = held.findings[static_cast<std::size_t>(check)];
        if (found.Passed() || !report.findings[static_cast<std::size_t>(check)].Passed())
            continue;
        report.findings[static_cast<std::size_t>(check)] = found;
        if (report.failedCheck < 0)
        {
            report.failedCheck = check;
            report.failure = held.failure;
        }
    }
}

// The drive as the camera chooses its levels, checked in full, and a drive
// held at each level the turn is drawn at, whose bands are checked (the
// camera's fit and zoom are not the drive's there).
std::vector<ManeuverReport> SurveyAtEveryLevel(const refhost::RouteModel& model,
                                               const SurveySettings& settings,
                                               const ExitCounter& exits, bool driven)
{
    std::vector<ManeuverReport> reports = SurveyRoute(model, settings, exits);
    if (!driven)
        DropDriveFindings(reports);
    SurveySettings held = settings;
    held.framesPerSecond = std::min(settings.framesPerSecond, kHeldFramesPerSecond);
    for (int level = 0; level <= settings.maxTurnLevel; ++level)
    {
        held.replay.camera.finestLevel = level;
        held.replay.camera.coarsestLevel = level;
        const std::vector<ManeuverReport> atLevel = SurveyRoute(model, held, exits);
        for (std::size_t m = 0; m < reports.size() && m < atLevel.size(); ++m)
            AddHeldFindings(reports[m], atLevel[m]);
    }
    return reports;
}

using tools::Fail;

bool EndsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The seed of an extract's routes: the run's seed and the file's name, so
// that an extract gets the same routes whatever else is surveyed with it.
uint64_t SeedFor(uint64_t seed, const std::string& path)
{
    uint64_t hash = 14695981039346656037ULL; // FNV-1a
    for (const char c : fs::path(path).filename().string())
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
    return seed ^ hash;
}

// CPU seconds of this process so far (user and system).
double CpuSeconds()
{
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
}

// What a run of --all-junctions is over: the extracts (by name and size)
// and the options that change what is checked. Every shard of a run has
// the same; the merge refuses reports whose runs differ.
nlohmann::json RunOf(const SurveyOptions& options)
{
    nlohmann::json extracts = nlohmann::json::array();
    for (const std::string& input : options.inputs)
    {
        std::error_code error;
        const auto size = fs::file_size(input, error);
        extracts.push_back({{"name", fs::path(input).filename().string()},
                            {"bytes", error ? 0 : static_cast<uint64_t>(size)}});
    }
    return {{"extracts", extracts},
            {"fps", options.framesPerSecond},
            {"turnThreshold", options.turnThresholdDegrees}};
}

class Job
{
public:
    explicit Job(const SurveyOptions& options) : m_options(options)
    {
        tools::SizeTable table = tools::DefaultSizeTable();
        m_settings.sizes = std::move(table.levels);
        m_settings.maxTurnLevel = table.maxTurnLevel;
        m_settings.framesPerSecond = options.framesPerSecond;
    }

    int Run()
    {
        if (auto code = tools::ApplyLogOptions(m_options))
            return *code;
        const double cpuStart = CpuSeconds();
        const auto wallStart = std::chrono::steady_clock::now();
        if (m_options.allJunctions)
            m_report.SetRun(RunOf(m_options), std::to_string(m_options.shard) + "/" +
                                                  std::to_string(m_options.shards));
        std::string error;
        if (!m_options.outputDir.empty() && !tools::PrepareOutputFolder(m_options.outputDir, error))
            return Fail(tools::kExitOutput, error);
        for (const std::string& input : m_options.inputs)
        {
            const auto start = std::chrono::steady_clock::now();
            m_progress = std::make_unique<tools::Progress>(
                !m_options.quiet, m_options.between.empty() ? m_options.routes : 1, "routes");
            const std::size_t checked = m_report.Checked();
            const std::size_t failed = m_report.Failed();
            const std::size_t routes = m_routes;
            if (m_options.allJunctions && !IsExtract(input))
                return Fail(tools::kExitInput,
                            input + ": --all-junctions takes OpenStreetMap extracts only");
            const int code = m_options.allJunctions ? SurveyJunctions(input)
                             : IsExtract(input)     ? SurveyExtract(input)
                                                    : SurveyFile(input);
            if (code != tools::kExitOk)
                return code;
            char summary[160];
            static_cast<void>(std::snprintf(
                summary, sizeof summary,
                "%s: %zu routes, %zu manoeuvres checked, %zu failed, %.1f s",
                fs::path(input).filename().c_str(), m_routes - routes, m_report.Checked() - checked,
                m_report.Failed() - failed,
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count()));
            m_progress->Say(summary);
            m_progress.reset();
        }
        if (!m_options.outputDir.empty() &&
            !tools::RemoveEarlierOutputs(m_options.outputDir, R"(failure-[0-9]{4,}\.png)",
                                         m_pictures, error))
            return Fail(tools::kExitOutput, error);
        m_report.SetTiming(
            CpuSeconds() - cpuStart,
            std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count());
        std::cout << m_report.Text() << std::flush;
        if (!m_options.jsonFile.empty() &&
            !tools::WriteTextFile(m_options.jsonFile, m_report.Json().dump(2) + "\n", error))
            return Fail(tools::kExitOutput, error);
        return m_report.Failed() == 0 ? tools::kExitOk : kExitFailures;
    }

private:
    // Every turn at every junction of this run's shard, each on its short
    // route, at every level of the size table.
    int SurveyJunctions(const std::string& input)
    {
        std::string error;
        ExtractRoads roads;
        if (!ExtractRoads::Read(input, roads, error))
            return Fail(tools::kExitInput, error);
        m_report.NoteInput(input);
        JunctionCount count;
        const std::vector<uint32_t> order = VisitOrder(roads, count);
        // The band's farthest reach at any level it is drawn at, and room
        // for the drive to come up to it.
        double before = 0.0;
        double after = 0.0;
        for (int level = 0;
             level <= m_settings.maxTurnLevel && level < static_cast<int>(m_settings.sizes.size());
             ++level)
        {
            const AdvicePathSizeSetting& size = m_settings.sizes[static_cast<std::size_t>(level)];
            before =
                std::max(before, static_cast<double>(size.m_FromLength + size.m_LengthTolerance));
            after = std::max(after, drive::LeavingReach(size) + size.m_LengthTolerance);
        }
        before = std::max(before + kApproachMetres, kDriveApproachMetres);
        after += kApproachMetres;
        const ExitCounter exits = CountExitsOnRoads(roads);
        JunctionTotals totals;
        m_progress = std::make_unique<tools::Progress>(!m_options.quiet, order.size(), "junctions");
        for (std::size_t i = m_options.shard - 1; i < order.size(); i += m_options.shards)
        {
            if (m_options.junction != 0 && i + 1 != m_options.junction)
                continue;
            m_progress->Update(i + 1, fs::path(input).filename().string());
            const uint32_t node = order[i];
            ++(roads.SegmentsAt(node).size() >= 3 ? totals.junctions : totals.deadEnds);
            const std::vector<JunctionTurn> turns = TurnsAt(roads, node);
            totals.turns += turns.size();
            for (std::size_t t = 0; t < turns.size(); ++t)
            {
                const refhost::RouteDescription description =
                    ShortRoute(roads, turns[t], before, after, input);
                SurveyedRoute route;
                route.input = input;
                route.computed = true;
                route.aim = "junction";
                route.junction = static_cast<long>(i);
                route.turn = static_cast<long>(t);
                route.driven = refhost::routefiles::PolylineMetres(
                                   description.links.front().points) >= kDriveApproachMetres - 1.0;
                route.points = {description.links.front().points.front(),
                                description.maneuvers.front().location,
                                description.links.back().points.back()};
                if (auto code = Survey(description, route, exits))
                    return *code;
            }
        }
        m_report.AddJunctions(totals);
        if (!m_options.quiet && count.junctions == 0)
            std::cerr << "advicepath-survey: " << input << ": no junction of car roads\n";
        return tools::kExitOk;
    }

    int SurveyExtract(const std::string& input)
    {
        std::string error;
        ExtractRoads roads;
        if (!ExtractRoads::Read(input, roads, error))
            return Fail(tools::kExitInput, error);
        if (roads.Segments().empty())
            return Fail(tools::kExitInput, input + ": no road a car may use");
        // Some planned routes find no way (a one-way road out of the
        // extract): more are planned than wanted, and taken until enough
        // were routed.
        const std::size_t wanted = m_options.between.empty() ? m_options.routes : 1;
        const std::vector<PlannedRoute> planned =
            m_options.between.empty()
                ? PlanRoutes(roads, wanted * kPlannedPerRoute, SeedFor(m_options.seed, input))
                : std::vector<PlannedRoute>{{"given", m_options.between}};
        const ExitCounter exits = CountExitsOnRoads(roads);
        refhost::routing::RoutingOptions routing;
        routing.progress = [](const std::string&) {};
        std::size_t routed = 0;
        std::string firstError;
        for (std::size_t i = 0; i < planned.size() && routed < wanted; ++i)
        {
            m_progress->Update(routed, fs::path(input).filename().string());
            const refhost::routing::RoutingResult result =
                refhost::routing::ComputeRoute(input, planned[i].points, routing);
            if (!result.ok)
            {
                m_report.NoteUnroutable();
                if (firstError.empty())
                    firstError = result.error;
                continue;
            }
            ++routed;
            SurveyedRoute route;
            route.input = input;
            route.computed = true;
            route.aim = planned[i].aim;
            route.points = planned[i].points;
            if (auto code = Survey(result.route, route, exits))
                return *code;
        }
        if (routed == 0)
            return Fail(tools::kExitInput, "no route over " + input + ": " + firstError);
        return tools::kExitOk;
    }

    int SurveyFile(const std::string& input)
    {
        std::optional<refhost::RouteModel> model;
        std::string error;
        tools::RouteSource source;
        source.routeFile = input;
        source.polylinePrecision = m_options.polylinePrecision;
        source.turnThresholdDegrees = m_options.turnThresholdDegrees;
        if (!tools::LoadRouteModel(source, true, model, error))
            return Fail(tools::kExitInput, error);
        SurveyedRoute route;
        route.input = input;
        return SurveyModel(*model, route, CountExitsOfJunctions()).value_or(tools::kExitOk);
    }

    std::optional<int> Survey(const refhost::RouteDescription& description, SurveyedRoute& route,
                              const ExitCounter& exits)
    {
        std::string error;
        const std::optional<refhost::RouteModel> model =
            refhost::RouteModel::FromDescription(description, error);
        if (!model)
        {
            // The routing's route must always make a model: a fault of its own.
            ManeuverReport broken;
            broken.announced = true;
            broken.kind = "straight on";
            broken.instruction = "the whole route";
            broken.failedCheck = kBandCheck;
            broken.findings[kBandCheck].problem = "the route cannot be modelled: " + error;
            route.maneuvers.push_back(broken);
            ++m_routes;
            m_report.Add(route);
            return std::nullopt;
        }
        return SurveyModel(*model, route, exits);
    }

    std::optional<int> SurveyModel(const refhost::RouteModel& model, SurveyedRoute& route,
                                   const ExitCounter& exits)
    {
        ++m_routes;
        route.maneuvers = m_options.allJunctions
                              ? SurveyAtEveryLevel(model, m_settings, exits, route.driven)
                              : SurveyRoute(model, m_settings, exits);
        MeasureGuidance(model, route);
        const std::size_t firstNew = m_report.Failures().size();
        const std::vector<FailureRecord> failures = m_report.Add(route);
        if (m_options.outputDir.empty() || failures.empty())
            return std::nullopt;
        const RouteTrack track(model);
        std::size_t f = 0;
        for (const ManeuverReport& report : route.maneuvers)
        {
            if (!report.announced || !report.Failed())
                continue;
            const FailureRecord& failure = failures[f];
            const std::size_t index = firstNew + f++;
            if (!report.failure)
                continue;
            char name[32];
            static_cast<void>(std::snprintf(name, sizeof name, "failure-%04zu.png", index + 1));
            const std::string path = (fs::path(m_options.outputDir) / name).string();
            std::string error;
            if (!WriteFailurePicture(*report.failure, track,
                                     std::to_string(failure.number) + ". " + failure.instruction,
                                     failure.check + ": " + failure.problem, route.computed,
                                     failure.check == CheckName(kDriveCheck), path, error))
                return Fail(tools::kExitOutput, error);
            m_report.SetPicture(index, path);
            m_pictures.emplace_back(name);
        }
        return std::nullopt;
    }

    static void MeasureGuidance(const refhost::RouteModel& model, SurveyedRoute& route)
    {
        route.metres = model.Length();
        const std::size_t count = model.ManeuverCount();
        route.guided = count > 0 ? count - 1 : 0;
        for (std::size_t i = 1; i < route.guided; ++i)
        {
            const double gap =
                model.ManeuverAt(i).distanceFromStart - model.ManeuverAt(i - 1).distanceFromStart;
            if (route.closestGap < 0.0 || gap < route.closestGap)
            {
                route.closestGap = gap;
                route.closestNumber = i + 1;
            }
        }
    }

    const SurveyOptions& m_options;
    SurveySettings m_settings;
    SurveyReport m_report;
    std::unique_ptr<tools::Progress> m_progress; // the input's at hand
    std::vector<std::string> m_pictures;         // the failure pictures written
    std::size_t m_routes = 0;
};

} // namespace

bool IsExtract(const std::string& path)
{
    for (const char* ending : {".osm", ".osm.gz", ".osm.bz2", ".osm.pbf"})
        if (EndsWith(path, ending))
            return true;
    std::ifstream file(path, std::ios::binary);
    char head[512] = {};
    file.read(head, sizeof head);
    const std::string start(head, static_cast<std::size_t>(file.gcount()));
    return start.find("<osm") != std::string::npos || start.find("OSMHeader") != std::string::npos;
}

int MergeReports(const SurveyOptions& options)
{
    SurveyReport merged;
    for (std::size_t i = 0; i < options.merge.size(); ++i)
    {
        const std::string& path = options.merge[i];
        SurveyReport report;
        std::string error;
        try
        {
            std::ifstream file(path);
            if (!file)
                return Fail(tools::kExitInput, path + ": cannot be read");
            if (!report.FromJson(nlohmann::json::parse(file), error))
            {
                std::string message = path;
                message += ": ";
                message += error;
                return Fail(tools::kExitInput, message);
            }
        }
        catch (const std::exception& e)
        {
            return Fail(tools::kExitInput, path + ": not a survey report: " + e.what());
        }
        if (i == 0)
            merged = report;
        else if (!merged.Merge(report, error))
        {
            std::string message = path;
            message += ": ";
            message += error;
            message += ", not merged";
            return Fail(tools::kExitUsage, message);
        }
    }
    std::cout << merged.Text() << std::flush;
    std::string error;
    if (!options.jsonFile.empty() &&
        !tools::WriteTextFile(options.jsonFile, merged.Json().dump(2) + "\n", error))
        return Fail(tools::kExitOutput, error);
    return merged.Failed() == 0 ? tools::kExitOk : kExitFailures;
}

int RunSurvey(const SurveyOptions& options)
{
    if (!options.merge.empty())
        return MergeReports(options);
    Job job(options);
    return job.Run();
}

} // namespace survey
