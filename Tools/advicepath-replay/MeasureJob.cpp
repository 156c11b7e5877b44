#include "MeasureJob.h"

#include "IndexPage.h"
#include "OutputFiles.h"
#include "ProgressBar.h"
#include "ReplaySetup.h"

#include "Drive/CountingMapView.h"
#include "Memory/ProcessMemoryStatus.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <iostream>

namespace tools
{

namespace
{

constexpr double kFramesPerDriveSecond = 30.0;

// Median, 90th and 99th percentile (nearest rank) and maximum, microseconds.
struct Spread
{
    size_t count = 0;
    double median = 0.0;
    double p90 = 0.0;
    double p99 = 0.0;
    double max = 0.0;
};

Spread SpreadOf(std::vector<double> seconds)
{
    Spread spread;
    spread.count = seconds.size();
    if (seconds.empty())
        return spread;
    std::sort(seconds.begin(), seconds.end());
    auto rank = [&](double share)
    {
        const auto index =
            static_cast<size_t>(std::ceil(share * static_cast<double>(seconds.size())));
        return seconds[std::clamp<size_t>(index, 1, seconds.size()) - 1] * 1e6;
    };
    spread.median = rank(0.5);
    spread.p90 = rank(0.9);
    spread.p99 = rank(0.99);
    spread.max = seconds.back() * 1e6;
    return spread;
}

nlohmann::json ToJson(const Spread& spread)
{
    return {{"count", spread.count},
            {"medianUs", spread.median},
            {"p90Us", spread.p90},
            {"p99Us", spread.p99},
            {"maxUs", spread.max}};
}

void PrintRow(const std::string& what, const Spread& spread)
{
    std::printf("  %-34s %9.2f %9.2f %9.2f %9.2f\n", what.c_str(), spread.median, spread.p90,
                spread.p99, spread.max);
}

struct Measures
{
    std::vector<double> draw;     // every frame
    std::vector<double> turnDraw; // frames whose band is announced
    std::vector<double> setTurn;  // frames that called SetTurnInfo
    std::vector<double> all;      // every frame, every call
    uint64_t allocations = 0;
    uint64_t mostAllocations = 0; // in one frame
    uint64_t mostCalls = 0;       // map view calls in one frame
    refhost::memory::HeapFigures before;
    refhost::memory::HeapFigures after;
};

} // namespace

int RunMeasureJob(const ReplayOptions& options)
{
    LoadedRoute route;
    if (auto code = LoadRoute(options, route))
        return *code;
    const double frameStep = 1.0 / kFramesPerDriveSecond;
    const size_t frames = static_cast<size_t>(std::floor((route.endSeconds - route.startSeconds) *
                                                         kFramesPerDriveSecond)) +
                          1;

    refhost::CountingMapView view;
    auto render = OpenRender(view, route.sizes, options);
    if (!render)
        return kExitInput;
    Measures measures;
    // Reserved in full, so that the heap figures show the drive, not the
    // measurements.
    for (std::vector<double>* list :
         {&measures.draw, &measures.turnDraw, &measures.setTurn, &measures.all})
        list->reserve(frames);
    uint64_t callsBefore = 0;
    {
        refhost::DriveReplay replay(*route.model, *route.timeline, *render, route.sizes.levels,
                                    route.sizes.maxTurnLevel, MakeReplaySettings(options, 0.0),
                                    [&](const refhost::FrameRecord& frame)
                                    {
                                        view.SetViewport(frame.viewport);
                                        callsBefore = view.Totals().lines + view.Totals().polygons;
                                    });
        measures.before = refhost::memory::ReadHeapFigures();
        ProgressBar progress(!options.quiet, frames, "frames");
        for (size_t i = 0; i < frames; ++i)
        {
            const refhost::FrameRecord& frame =
                replay.Frame(route.startSeconds + static_cast<double>(i) * frameStep);
            measures.draw.push_back(frame.drawSeconds);
            measures.all.push_back(frame.librarySeconds);
            if (frame.announced)
                measures.turnDraw.push_back(frame.drawSeconds);
            if (frame.setTurnInfo)
                measures.setTurn.push_back(frame.setTurnSeconds);
            measures.allocations += frame.allocations;
            measures.mostAllocations = std::max(measures.mostAllocations, frame.allocations);
            measures.mostCalls = std::max(
                measures.mostCalls, view.Totals().lines + view.Totals().polygons - callsBefore);
            progress.Update(i + 1);
        }
        measures.after = refhost::memory::ReadHeapFigures();
    }

    const Spread draw = SpreadOf(measures.draw);
    const Spread turnDraw = SpreadOf(measures.turnDraw);
    const Spread setTurn = SpreadOf(measures.setTurn);
    const Spread all = SpreadOf(measures.all);
    const double perFrame = 1.0 / static_cast<double>(frames);
    const refhost::CountingMapView::Counts& counts = view.Totals();
    const std::string name = std::filesystem::path(options.routeFile).filename().string();

    if (!options.quiet)
    {
        std::printf("%s: %s, %s of driving, %zu frames at %.0f per second of driving\n",
                    name.c_str(), FormatDistance(route.timeline->Length()).c_str(),
                    FormatDuration(route.endSeconds - route.startSeconds).c_str(), frames,
                    kFramesPerDriveSecond);
        std::printf("library time per frame, us:          median       p90       p99       max\n");
        PrintRow("Draw, every frame", draw);
        PrintRow("Draw, turn frames (" + std::to_string(turnDraw.count) + ")", turnDraw);
        PrintRow("SetTurnInfo (" + std::to_string(setTurn.count) + " calls)", setTurn);
        PrintRow("all calls of a frame", all);
        std::printf("map view per frame: %.2f DrawLine, %.2f DrawPolygon, %.1f points "
                    "(mean); %llu calls at most\n",
                    static_cast<double>(counts.lines) * perFrame,
                    static_cast<double>(counts.polygons) * perFrame,
                    static_cast<double>(counts.points) * perFrame,
                    static_cast<unsigned long long>(measures.mostCalls));
        std::printf("heap allocations per frame: %.2f (mean), %llu at most\n",
                    static_cast<double>(measures.allocations) * perFrame,
                    static_cast<unsigned long long>(measures.mostAllocations));
        std::printf("heap in use: %llu bytes in %llu blocks before the drive, %llu bytes in "
                    "%llu blocks after\n",
                    static_cast<unsigned long long>(measures.before.inUse),
                    static_cast<unsigned long long>(measures.before.blocks),
                    static_cast<unsigned long long>(measures.after.inUse),
                    static_cast<unsigned long long>(measures.after.blocks));
    }
    if (!options.jsonFile.empty())
    {
        const nlohmann::json document = {
            {"route", name},
            {"metres", route.timeline->Length()},
            {"drivingSeconds", route.endSeconds - route.startSeconds},
            {"frames", frames},
            {"framesPerDrivingSecond", kFramesPerDriveSecond},
            {"draw", ToJson(draw)},
            {"turnFrameDraw", ToJson(turnDraw)},
            {"setTurnInfo", ToJson(setTurn)},
            {"frame", ToJson(all)},
            {"mapViewPerFrame",
             {{"drawLine", static_cast<double>(counts.lines) * perFrame},
              {"drawPolygon", static_cast<double>(counts.polygons) * perFrame},
              {"points", static_cast<double>(counts.points) * perFrame},
              {"mostCalls", measures.mostCalls}}},
            {"heapAllocationsPerFrame",
             {{"mean", static_cast<double>(measures.allocations) * perFrame},
              {"most", measures.mostAllocations}}},
            {"heapInUse",
             {{"bytesBefore", measures.before.inUse},
              {"bytesAfter", measures.after.inUse},
              {"blocksBefore", measures.before.blocks},
              {"blocksAfter", measures.after.blocks}}}};
        std::string error;
        if (!WriteTextFile(options.jsonFile, document.dump(2) + "\n", error))
            return Fail(kExitOutput, error);
    }
    return kExitOk;
}

} // namespace tools
