#include "SurveyJob.h"

#include "CommonOptions.h"
#include "ExitCount.h"
#include "ExtractRoads.h"
#include "FailurePicture.h"
#include "OutputFiles.h"
#include "Progress.h"
#include "RoutePlanner.h"
#include "RouteSource.h"
#include "RouteSurvey.h"
#include "SizeTable.h"
#include "SurveyReport.h"

#include "Routing/Routing.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <utility>

namespace survey
{

namespace
{

namespace fs = std::filesystem;

// Routes planned for each one wanted over an extract.
constexpr std::size_t kPlannedPerRoute = 3;

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
            const int code = IsExtract(input) ? SurveyExtract(input) : SurveyFile(input);
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
        std::cout << m_report.Text() << std::flush;
        if (!m_options.jsonFile.empty() &&
            !tools::WriteTextFile(m_options.jsonFile, m_report.Json().dump(2) + "\n", error))
            return Fail(tools::kExitOutput, error);
        return m_report.Failed() == 0 ? tools::kExitOk : kExitFailures;
    }

private:
    int SurveyExtract(const std::string& input)
    {
        std::string error;
        ExtractRoads roads;
        if (!ExtractRoads::Read(input, roads, error))
            return Fail(tools::kExitInput, error);
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
        route.maneuvers = SurveyRoute(model, m_settings, exits);
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

int RunSurvey(const SurveyOptions& options)
{
    Job job(options);
    return job.Run();
}

} // namespace survey
