// The library's operations on fixed inputs, for instruction counts under
// callgrind (count-instructions.py, make bench-count). Instructions do not
// depend on the machine's load or clock, so a change to them is a change to
// the code (or to the compiler), which a check can hold to a few per cent.
//
//   ap_bench_count ROUTE_FILE [--data DIR] [--only PREFIX]
//
// Each operation runs twice untimed (the first calls resolve the program's
// dynamic symbols and fill the allocator's caches), then CALLS times between
// a zeroing and a dump of callgrind's counters; the dump is named
// "NAME CALLS", so that its total divided by CALLS is the count per call.
// ROUTE_FILE is driven whole, 30 frames per second of driving, through the
// drive's frame loop; its dump counts every frame whole (the host's frame loop
// and the library), and the library's share is read from the dump's calls.
// Without valgrind the counters are no-ops and the program just runs.
//
// The counts are the same in every clone of the repository when the program
// runs from the same relative place with the same relative paths (ROUTE_FILE,
// --data: the data folder, default the source tree's): an absolute path's
// length changes the heap's history, and with it the allocator's work.
//
// Logging is thresholded away: a shipped log line carries a time stamp, whose
// formatting depends on the time.
#include "AdvicePathRenderEx.h"
#include "BenchHost.h"
#include "RouteJunctions.h"
#include "RouteLineFloor.h"
#include "SizeTable.h"
#include "SyntheticPath.h"
#include "TurnFloor.h"

#include "Drive/DriveReplay.h"
#include "Geodesy/ReferenceGeodesy.h"
#include "RouteFiles/RouteFiles.h"
#include "Support/CountingMapView.h"
#include "Support/ViewportScale.h"

#include <valgrind/callgrind.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

namespace
{

// The drive's frame rate, as advicepath-replay --measure drives.
constexpr double kFramesPerSecond = 30.0;

// Route line sizes, as the route line's benchmark draws it.
constexpr int kRouteLineEdges[] = {1000, 10000, 100000};

// The three turns: a plain crossing (a right turn in a city grid), a
// roundabout (entered, four guides inside, left at its sixth exit) and a
// leaving road of 306 points (a 1 Hz track: every frame measures it whole).
struct TurnCase
{
    const char* name;
    const char* file;
    size_t maneuver;
};
const TurnCase kTurnCases[] = {
    {"crossing", "osrm-urban-sanfrancisco-polyline6.json", 0},
    {"roundabout", "osrm-roundabout-washingtondc-dupont-polyline6.json", 0},
    {"long-leaving-road", "drive-munich-13km-1hz-linestring.geojson", 3},
};

std::string g_only;

bool Wanted(const std::string& name)
{
    return name.compare(0, g_only.size(), g_only) == 0;
}

// Runs `op` twice, then `calls` times inside the counted window; the count is
// per call, or per `units` in all when given (for instance the segments that
// the calls measure).
template <typename Op> void Count(const std::string& name, int calls, Op op, size_t units = 0)
{
    if (!Wanted(name))
        return;
    op();
    op();
    const std::string label =
        name + " " + std::to_string(units > 0 ? units : static_cast<size_t>(calls));
    CALLGRIND_ZERO_STATS;
    for (int i = 0; i < calls; ++i)
        op();
    CALLGRIND_DUMP_STATS_AT(label.c_str());
    std::cout << label << "\n";
}

AdvicePathRenderEx* NewHandle(CMapService& view)
{
    AdvicePathRenderEx* render = NewPathRender(nullptr, &view);
    AdvicePathSizeSetting size;
    bench::TurnSizeRecord(size);
    render->SetSize(&size, 1, 30);
    return render;
}

void CountSetSize()
{
    std::unique_ptr<CMapService> view = bench::NewCountingMapView(0);
    AdvicePathRenderEx* render = NewHandle(*view);
    tools::SizeTable table = tools::DefaultSizeTable();
    Count("set-size/levels-" + std::to_string(table.levels.size()), 10,
          [&]
          {
              render->SetSize(table.levels.data(), static_cast<int>(table.levels.size()),
                              table.maxTurnLevel);
          });
    ClosePathRender(render);
}

void CountRouteLine()
{
    for (int edges : kRouteLineEdges)
    {
        std::unique_ptr<CNavPath> path = bench::NewSyntheticPath(static_cast<size_t>(edges));
        std::unique_ptr<CMapService> view = bench::NewCountingMapView(0);
        AdvicePathRenderEx* render = NewHandle(*view);
        const std::string suffix = "/edges-" + std::to_string(edges);
        Count("set-path" + suffix, 10, [&] { render->SetPath(path.get()); });
        const int calls = edges >= 100000 ? 2 : 10;
        Count("route-line-draw" + suffix, calls, [&] { render->Draw(true, false); });
        int answers = 0;
        Count("route-line-floor" + suffix, calls,
              [&] { answers += bench::DrawRouteLineByHand(*path, *view); });
        if (answers == 0)
            std::cerr << "ap_bench_count: the route line's floor drew nothing\n";
        ClosePathRender(render);
    }
}

void CountTurns()
{
    for (const TurnCase& turn : kTurnCases)
    {
        const std::string name = turn.name;
        if (!Wanted("set-turn-info/" + name) && !Wanted("turn-draw/" + name) &&
            !Wanted("turn-floor/" + name))
            continue;
        std::string error;
        std::unique_ptr<bench::RouteJunctions> route = bench::LoadRouteJunctions(turn.file, error);
        const bench::Junction* junction = nullptr;
        if (route)
            for (const bench::Junction& candidate : route->junctions)
                if (candidate.maneuver == turn.maneuver)
                    junction = &candidate;
        if (junction == nullptr)
        {
            std::cerr << "ap_bench_count: " << turn.file << ": no manoeuvre " << turn.maneuver
                      << " " << error << "\n";
            std::exit(3);
        }
        refhost::PathView path = junction->path;
        std::unique_ptr<CMapService> view = bench::NewCountingMapView(0);
        AdvicePathRenderEx* render = NewHandle(*view);
        // Handed over before any count: the turn's counts need it, also
        // when SetTurnInfo's own count is left out (--only).
        render->SetTurnInfo(junction->turn, &path);
        Count("set-turn-info/" + name, 10, [&] { render->SetTurnInfo(junction->turn, &path); });
        Count("turn-draw/" + name, 10, [&] { render->Draw(false, true); });
        const std::vector<bench::GeodesyCall> calls =
            bench::RecordGeodesyCallsOf([&] { render->Draw(false, true); });
        double sink = 0.0;
        Count("turn-floor/" + name, 10, [&] { sink += bench::ReplayGeodesyCalls(calls); });
        if (!(sink > 0.0))
            std::cerr << "ap_bench_count: " << turn.name << ": the floor measured nothing\n";
        ClosePathRender(render);
    }
}

// Every junction of the turn routes (64, as the turn's benchmarks take them),
// one frame each: the turn and its floor over real junctions of every kind.
void CountAllJunctions()
{
    if (!Wanted("turn-draw/all-junctions") && !Wanted("turn-floor/all-junctions"))
        return;
    std::unique_ptr<CMapService> view = bench::NewCountingMapView(0);
    std::vector<AdvicePathRenderEx*> handles;
    for (const auto& route : bench::TurnRoutes())
        for (bench::Junction& junction : route->junctions)
        {
            handles.push_back(NewHandle(*view));
            handles.back()->SetTurnInfo(junction.turn, &junction.path);
        }
    std::vector<std::vector<bench::GeodesyCall>> calls;
    calls.reserve(handles.size());
    for (AdvicePathRenderEx* render : handles)
        calls.push_back(bench::RecordGeodesyCallsOf([&] { render->Draw(false, true); }));
    const int frames = static_cast<int>(handles.size());
    // Round the junctions, each once in the counted window (the two warm-up
    // calls draw the first two).
    size_t next = 0;
    Count("turn-draw/all-junctions", frames,
          [&] { handles[next++ % handles.size()]->Draw(false, true); });
    double sink = 0.0;
    next = 0;
    Count("turn-floor/all-junctions", frames,
          [&] { sink += bench::ReplayGeodesyCalls(calls[next++ % calls.size()]); });
    if (!(sink > 0.0))
        std::cerr << "ap_bench_count: the junctions' floor measured nothing\n";
    for (AdvicePathRenderEx* render : handles)
        ClosePathRender(render);
}

// The reference host's LineLength over every link of the turn routes, per
// segment (the host's geodesy, under the turn's floor).
void CountHostGeodesy()
{
    std::vector<const std::vector<tagLonLat>*> links;
    size_t segments = 0;
    for (const auto& route : bench::TurnRoutes())
        for (size_t link = 0; link < route->model->LinkCount(); ++link)
        {
            links.push_back(&route->model->LinkPoints(link));
            segments += links.back()->size() - 1;
        }
    double sink = 0.0;
    Count(
        "host-geodesy/line-length-per-segment", 1,
        [&]
        {
            for (const std::vector<tagLonLat>* link : links)
                sink += refhost::geodesy::LineLength(static_cast<unsigned short>(link->size()),
                                                     link->data());
        },
        segments);
    if (!(sink > 0.0))
        std::cerr << "ap_bench_count: the links measured nothing\n";
}

void CountDrive(const std::string& file)
{
    if (!Wanted("drive/frame"))
        return;
    const refhost::RouteReadResult read = refhost::ReadRouteFile(file);
    std::string error = read.error;
    std::optional<refhost::RouteModel> model;
    if (read.ok)
        model = refhost::RouteModel::FromDescription(read.route, error);
    if (!model)
    {
        std::cerr << "ap_bench_count: " << error << "\n";
        std::exit(3);
    }
    const drive::RouteTimeline timeline(*model);
    const tools::SizeTable sizes = tools::DefaultSizeTable();
    aptest::FollowingViewport<aptest::CountingMapView> view;
    AdvicePathRenderEx* render = NewPathRender(nullptr, &view);
    render->SetSize(const_cast<AdvicePathSizeSetting*>(sizes.levels.data()),
                    static_cast<int>(sizes.levels.size()), sizes.maxTurnLevel);
    const int frames = static_cast<int>(std::floor(timeline.Duration() * kFramesPerSecond)) + 1;
    {
        drive::DriveReplay replay(
            *model, timeline, *render, sizes.levels, sizes.maxTurnLevel, drive::ReplaySettings(),
            [&](const drive::FrameRecord& frame) { view.SetViewport(frame.viewport); });
        const std::string label = "drive/frame " + std::to_string(frames);
        CALLGRIND_ZERO_STATS;
        for (int i = 0; i < frames; ++i)
            replay.Frame(static_cast<double>(i) / kFramesPerSecond);
        CALLGRIND_DUMP_STATS_AT(label.c_str());
        std::cout << label << "\n";
    }
    ClosePathRender(render);
}

} // namespace

int main(int argc, char** argv)
{
    std::string routeFile;
    bool usable = true;
    for (int i = 1; i < argc; ++i)
    {
        if (std::strcmp(argv[i], "--only") == 0 && i + 1 < argc)
            g_only = argv[++i];
        else if (std::strcmp(argv[i], "--data") == 0 && i + 1 < argc)
            bench::SetDataDirectory(argv[++i]);
        else if (routeFile.empty() && argv[i][0] != '-')
            routeFile = argv[i];
        else
            usable = false;
    }
    if (!usable || routeFile.empty())
    {
        std::cerr << "usage: ap_bench_count ROUTE_FILE [--data DIR] [--only PREFIX]\n";
        return 2;
    }
    bench::RouteLogLinesToNullDevice();
    bench::SetLoggingOff();
    bench::SetGeodesyModel(bench::GeodesyModel::Fast);
    CountSetSize();
    CountRouteLine();
    CountTurns();
    CountAllJunctions();
    CountHostGeodesy();
    CountDrive(routeFile);
    return 0;
}
