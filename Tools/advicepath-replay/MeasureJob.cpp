#include "MeasureJob.h"

#include "IndexPage.h"
#include "OutputFiles.h"
#include "Progress.h"
#include "ReplaySetup.h"

#include "Drive/DurationSpread.h"
#include "Memory/ProcessMemoryStatus.h"
#include "Support/CountingMapView.h"
#include "Support/ViewportScale.h"

#include <nlohmann/json.hpp>

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
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

Spread SpreadOf(const drive::DurationSpread& durations)
{
    Spread spread;
    spread.count = durations.Count();
    spread.median = durations.Percentile(0.5) * 1e6;
    spread.p90 = durations.Percentile(0.9) * 1e6;
    spread.p99 = durations.Percentile(0.99) * 1e6;
    spread.max = durations.Percentile(1.0) * 1e6;
    return spread;
}

double SecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The most memory the process has held at once (its peak resident set), bytes.
uint64_t PeakResidentBytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<uint64_t>(usage.ru_maxrss) * 1024u; // kilobytes on Linux
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
    drive::DurationSpread draw;       // every frame
    drive::DurationSpread turnDraw;   // frames whose band is announced
    drive::DurationSpread setTurn;    // frames that called SetTurnInfo
    drive::DurationSpread all;        // every frame, every library call
    drive::DurationSpread wholeFrame; // every frame, the host's frame loop and the library
    uint64_t allocations = 0;
    uint64_t mostAllocations = 0; // in one frame
    uint64_t mostCalls = 0;       // map view calls in one frame
    double setUpSeconds = 0.0;    // the replay made: SetPath, schedule, camera, link index
    double firstFrameLibrarySeconds = 0.0;
    double firstFrameSeconds = 0.0;
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

    aptest::FollowingViewport<aptest::CountingMapView> view;
    auto render = OpenRender(view, route.sizes, options);
    if (!render)
        return kExitInput;
    Measures measures;
    uint64_t callsBefore = 0;
    {
        const auto setUpStart = std::chrono::steady_clock::now();
        drive::DriveReplay replay(*route.model, *route.timeline, *render, route.sizes.levels,
                                  route.sizes.maxTurnLevel, MakeReplaySettings(options, 0.0),
                                  [&](const drive::FrameRecord& frame)
                                  {
                                      view.SetViewport(frame.viewport);
                                      callsBefore = view.Totals().lines + view.Totals().polygons;
                                  });
        measures.setUpSeconds = SecondsSince(setUpStart);
        measures.before = refhost::memory::ReadHeapFigures();
        Progress progress(!options.quiet, frames, "frames");
        for (size_t i = 0; i < frames; ++i)
        {
            const auto frameStart = std::chrono::steady_clock::now();
            const drive::FrameRecord& frame =
                replay.Frame(route.startSeconds + static_cast<double>(i) * frameStep);
            const double frameSeconds = SecondsSince(frameStart);
            if (i == 0)
            {
                measures.firstFrameLibrarySeconds = frame.librarySeconds;
                measures.firstFrameSeconds = frameSeconds;
            }
            measures.wholeFrame.Add(frameSeconds);
            measures.draw.Add(frame.drawSeconds);
            measures.all.Add(frame.librarySeconds);
            if (frame.announced)
                measures.turnDraw.Add(frame.drawSeconds);
            if (frame.setTurnInfo)
                measures.setTurn.Add(frame.setTurnSeconds);
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
    const Spread wholeFrame = SpreadOf(measures.wholeFrame);
    const uint64_t peakResident = PeakResidentBytes();
    const double perFrame = 1.0 / static_cast<double>(frames);
    const aptest::CountingMapView::Counts& counts = view.Totals();
    const std::string name = RouteSourceName(options.source);

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
        PrintRow("whole frame, host and library", wholeFrame);
        std::printf("route read and modelled in %.1f ms, its time base built in %.1f ms; the "
                    "replay set up (SetPath, schedule, camera, link index) in %.1f ms; the first "
                    "frame %.1f us (the library's calls %.1f us)\n",
                    route.readSeconds * 1e3, route.timelineSeconds * 1e3,
                    measures.setUpSeconds * 1e3, measures.firstFrameSeconds * 1e6,
                    measures.firstFrameLibrarySeconds * 1e6);
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
        std::printf("peak resident memory of the process: %.1f MB\n",
                    static_cast<double>(peakResident) / 1e6);
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
            {"wholeFrame", ToJson(wholeFrame)},
            {"setUpMs",
             {{"readAndModel", route.readSeconds * 1e3},
              {"timeline", route.timelineSeconds * 1e3},
              {"replay", measures.setUpSeconds * 1e3}}},
            {"firstFrameUs",
             {{"library", measures.firstFrameLibrarySeconds * 1e6},
              {"whole", measures.firstFrameSeconds * 1e6}}},
            {"peakResidentBytes", peakResident},
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
