// Geometry and junction collection: GetDirection (the library's linear search
// over the tangent table) against a plain atan2 as the reference cost, the
// cutting walks TrimFromStart and TrimFromEnd, and SetCrossInfo on long paths.
#include "BenchHost.h"
#include "Edges/PathEdge.h"
#include "Geodesy.h"
#include "Geometry/DirTables.h"
#include "Render/CrossPathEdges.h"
#include "Route/RouteBuilder.h"
#include "RouteJunctions.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

namespace
{

struct Vector2
{
    double x1, y1, x2, y2;
};

// Direction vectors with bearings spread evenly over the circle (fixed seed),
// as the segments of a road network are: the linear search then stops on
// average half way through the table.
const std::vector<Vector2>& DirectionInputs()
{
    static const std::vector<Vector2> inputs = []
    {
        std::mt19937_64 random(20240607u);
        std::uniform_real_distribution<double> angle(0.0, 2.0 * 3.14159265358979323846);
        std::uniform_real_distribution<double> length(1e-5, 1e-2);
        std::uniform_real_distribution<double> origin(-50.0, 50.0);
        std::vector<Vector2> v(4096);
        for (Vector2& e : v)
        {
            const double a = angle(random);
            const double d = length(random);
            e.x1 = origin(random);
            e.y1 = origin(random);
            e.x2 = e.x1 + d * std::cos(a);
            e.y2 = e.y1 + d * std::sin(a);
        }
        return v;
    }();
    return inputs;
}

// Times `direction` on the inputs in turn.
template <typename Direction> void TimeOnInputs(benchmark::State& state, Direction direction)
{
    const std::vector<Vector2>& v = DirectionInputs();
    size_t i = 0;
    for (auto _ : state)
    {
        benchmark::DoNotOptimize(direction(v[i]));
        i = (i + 1) & (v.size() - 1);
    }
}

void BM_GetDirection(benchmark::State& state)
{
    InitDirTables();
    TimeOnInputs(state, [](const Vector2& e) { return GetDirection(e.x1, e.y1, e.x2, e.y2); });
}

void BM_Atan2(benchmark::State& state)
{
    TimeOnInputs(state, [](const Vector2& e) { return std::atan2(e.y2 - e.y1, e.x2 - e.x1); });
}

// GetDirection as it was before its search was unrolled: the same table
// (rebuilt here), the same quadrant rules, the plain bounded loop. Kept to show
// what the unrolling gains, in the same run.
double g_PlainTangent[361];

void BuildPlainTable()
{
    for (int i = 0; i < 360; ++i)
        g_PlainTangent[i] = std::tan(static_cast<double>(i) * 0.004363323129985824);
    g_PlainTangent[360] = 1e6;
}

// Not inlined: the library's GetDirection is a call into another file too.
__attribute__((noinline)) unsigned short GetDirectionPlainLoop(double x1, double y1, double x2,
                                                               double y2)
{
    double dx = x2 - x1;
    double dy = y2 - y1;
    if (dx == 0.0)
    {
        if (dy == 0.0)
            return 0;
        return dy > 0.0 ? 360 : 1080;
    }
    if (dy == 0.0)
        return dx > 0.0 ? 0 : 720;
    double r = dy / dx;
    if (r < 0.0)
        r = r * -1.0;
    int i = 0;
    while (i < 361 && !(g_PlainTangent[i] > r))
        ++i;
    int direction;
    if (dx > 0.0 && dy > 0.0)
        direction = i - 1;
    else if (dx < 0.0 && dy > 0.0)
        direction = 721 - i;
    else if (dx > 0.0 && dy < 0.0)
        direction = 1441 - i;
    else
        direction = i + 719;
    return static_cast<unsigned short>(direction);
}

void BM_GetDirection_PlainLoop(benchmark::State& state)
{
    const std::vector<Vector2>& v = DirectionInputs();
    BuildPlainTable();
    for (const Vector2& e : v)
    {
        if (GetDirectionPlainLoop(e.x1, e.y1, e.x2, e.y2) != GetDirection(e.x1, e.y1, e.x2, e.y2))
        {
            state.SkipWithError("the plain loop and GetDirection disagree");
            return;
        }
    }
    TimeOnInputs(state,
                 [](const Vector2& e) { return GetDirectionPlainLoop(e.x1, e.y1, e.x2, e.y2); });
}

// The longest search: a bearing just short of north (89.9 degrees), which
// compares against every entry of the table.
void BM_GetDirection_Steepest(benchmark::State& state)
{
    InitDirTables();
    double dx = std::cos(89.9 * 3.14159265358979323846 / 180.0) * 1e-3;
    double dy = std::sin(89.9 * 3.14159265358979323846 / 180.0) * 1e-3;
    for (auto _ : state)
    {
        benchmark::DoNotOptimize(dx);
        benchmark::DoNotOptimize(GetDirection(11.5, 48.1, 11.5 + dx, 48.1 + dy));
    }
}

// A road of 16 points about 10 m apart with gentle bends near Munich, 150 m
// long: the cuts take its first or last 100 m, ending inside a segment.
const std::vector<tagLonLat>& TrimInput()
{
    static const std::vector<tagLonLat> road = []
    {
        std::vector<tagLonLat> points;
        tagLonLat at = {11.5800, 48.1500};
        for (int k = 0; k < 16; ++k)
        {
            points.push_back(at);
            at.lon += 0.00012 + 0.00002 * (k % 3);
            at.lat += (k % 2 == 0 ? 0.00004 : -0.00001);
        }
        return points;
    }();
    return road;
}

constexpr double kTrimLength = 100.0;

void SetUpGeodesy(int64_t model)
{
    bench::SetLoggingOff();
    bench::SetGeodesyModel(static_cast<bench::GeodesyModel>(model));
    bench::SetPlanarLonScale(bench::PlanarLonScaleAt(48.15));
}

// One segment of about 10 m through the library's geodesy binding: what each
// measured segment costs under each model.
void BM_SegmentLength(benchmark::State& state)
{
    SetUpGeodesy(state.range(0));
    const std::vector<tagLonLat>& road = TrimInput();
    size_t i = 0;
    for (auto _ : state)
    {
        benchmark::DoNotOptimize(SegmentLength(road[i], road[i + 1]));
        if (++i == road.size() - 1)
            i = 0;
    }
}

void BM_TrimFromStart(benchmark::State& state)
{
    SetUpGeodesy(state.range(0));
    const std::vector<tagLonLat>& road = TrimInput();
    CPathEdge edge;
    edge.Reserve(32); // the buffer stays: each cut appends into it again
    for (auto _ : state)
    {
        edge.m_Count = 0;
        benchmark::DoNotOptimize(
            edge.TrimFromStart(road.data(), static_cast<int>(road.size()), kTrimLength));
    }
    state.counters["points_kept"] = edge.m_Count;
}

void BM_TrimFromEnd(benchmark::State& state)
{
    SetUpGeodesy(state.range(0));
    const std::vector<tagLonLat>& road = TrimInput();
    CPathEdge edge;
    edge.Reserve(32);
    for (auto _ : state)
    {
        edge.m_Count = 0;
        benchmark::DoNotOptimize(
            edge.TrimFromEnd(road.data(), static_cast<int>(road.size()), kTrimLength));
    }
    state.counters["points_kept"] = edge.m_Count;
}

// A route of `links` links of 8 points (about 7 m apart) laid out in rows
// 111 m apart, so that no guide point repeats; one turn onto the last link.
refhost::RouteModel SerpentineRoute(size_t links)
{
    refhost::RouteBuilder builder("serpentine");
    constexpr size_t kLinksPerRow = 1000;
    tagLonLat at = {11.0, 48.0};
    for (size_t k = 0; k < links; ++k)
    {
        std::vector<tagLonLat> points;
        if (k == 0)
            points.push_back(at);
        const bool rowEnd = k % kLinksPerRow == kLinksPerRow - 1;
        const double eastward = (k / kLinksPerRow) % 2 == 0 ? 1.0 : -1.0;
        for (int j = 0; j < 7; ++j)
        {
            if (rowEnd)
                at.lat += 0.001 / 7.0;
            else
                at.lon += 0.0001 * eastward;
            points.push_back(at);
        }
        if (k == 0)
            builder.AddLink(points, "serpentine");
        else
            builder.ContinueLink(points, "serpentine");
    }
    builder.AddManeuver(links - 2, links - 2, NAV_TURN_RIGHT, "Turn right");
    builder.AddManeuver(links - 1, links - 1, NAV_TURN_END, "Arrive");
    builder.SetOrigin({11.0, 48.0}).AddDestination(at);
    std::string error;
    std::optional<refhost::RouteModel> model = builder.Build(error);
    if (!model)
    {
        (void)std::fprintf(stderr, "bench: serpentine route: %s\n", error.c_str());
        std::exit(2);
    }
    return std::move(*model);
}

void RunSetCrossInfo(benchmark::State& state, const refhost::RouteModel& model, size_t maneuver)
{
    refhost::PathView path = model.ViewFrom(0);
    const CTurnInfo turn = model.TurnInfoFor(maneuver);
    const size_t walked = model.ManeuverAt(maneuver).enterLink + 1;
    CCrossPathEdges builder;
    for (auto _ : state)
        builder.SetCrossInfo(&path, turn);
    state.counters["guides_walked"] = static_cast<double>(walked);
    state.counters["entering_edges"] = builder.m_FromEdges.Size();
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(walked));
}

void BM_SetCrossInfo_Serpentine(benchmark::State& state)
{
    SetUpGeodesy(0);
    const refhost::RouteModel model = SerpentineRoute(static_cast<size_t>(state.range(0)));
    RunSetCrossInfo(state, model, 0);
}

// The long real route handed over whole: the walk from its start to the last
// turn before the arrival.
void BM_SetCrossInfo_LongRoute(benchmark::State& state)
{
    SetUpGeodesy(0);
    std::string error;
    std::unique_ptr<bench::RouteJunctions> route =
        bench::LoadRouteJunctions(bench::LongRouteFile(), error);
    if (!route || route->junctions.empty())
    {
        state.SkipWithError(error.c_str());
        return;
    }
    RunSetCrossInfo(state, *route->model, route->junctions.back().maneuver);
}

void GeodesyArgs(benchmark::internal::Benchmark* b)
{
    b->ArgName("geodesy");
    for (int model = 0; model <= 2; ++model)
        b->Arg(model);
}

} // namespace

BENCHMARK(BM_GetDirection);
BENCHMARK(BM_GetDirection_Steepest);
BENCHMARK(BM_GetDirection_PlainLoop);
BENCHMARK(BM_Atan2);
BENCHMARK(BM_SegmentLength)->Apply(GeodesyArgs);
BENCHMARK(BM_TrimFromStart)->Apply(GeodesyArgs);
BENCHMARK(BM_TrimFromEnd)->Apply(GeodesyArgs);
BENCHMARK(BM_SetCrossInfo_Serpentine)->ArgName("links")->Arg(10000)->Arg(100000);
BENCHMARK(BM_SetCrossInfo_LongRoute);
