// The route line: Draw(true, false) of the library against a baseline that
// walks the same path through the same CPath interface and makes the same
// DrawLine calls itself.
//
// Both see the path and the map view only as CPath and CMapService (their
// implementations are in other translation units), so neither can devirtualise
// or elide a call: the difference is what the library adds to the bare walk.
#include "AdvicePathRenderEx.h"
#include "BenchHost.h"
#include "PairedTiming.h"
#include "RouteLineFloor.h"
#include "SyntheticPath.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace
{

constexpr int kPointsPerEdge = 8;
constexpr unsigned kBorderColour = bench::kRouteLineBorderColour;
constexpr unsigned kFillColour = bench::kRouteLineFillColour;
constexpr unsigned short kBorderWidth = bench::kRouteLineBorderWidth;
constexpr unsigned short kFillWidth = bench::kRouteLineFillWidth;

void ReportDrawCalls(benchmark::State& state, const CMapService& view, size_t edges)
{
    const bench::DrawCounts counts = bench::CountsOf(view);
    const auto frames = static_cast<double>(state.iterations());
    state.counters["edges"] = static_cast<double>(edges);
    state.counters["lines_per_frame"] = frames > 0 ? static_cast<double>(counts.lines) / frames : 0;
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(edges));
}

// A handle that draws the route line only, one size record, in the
// benchmark's widths and colours.
AdvicePathRenderEx* NewRouteLineRender(CNavPath& path, CMapService& view)
{
    AdvicePathRenderEx* render = NewPathRender(&path, &view);
    AdvicePathSizeSetting size{};
    size.m_PathWidth = kFillWidth;
    size.m_PathBorderWidth = kBorderWidth;
    render->SetSize(&size, 1, 0);
    render->SetClr(AdvicePathClrSetting(kFillColour, kBorderColour, 0x00FFFFFFu, 0));
    return render;
}

void BM_RouteLine_Library(benchmark::State& state)
{
    const auto edges = static_cast<size_t>(state.range(0));
    bench::SetLoggingOff();
    std::unique_ptr<CNavPath> path = bench::NewSyntheticPath(edges, kPointsPerEdge);
    std::unique_ptr<CMapService> view = bench::NewCountingMapView(0);
    AdvicePathRenderEx* render = NewRouteLineRender(*path, *view);
    bench::ResetCounts(*view);
    for (auto _ : state)
        render->Draw(true, false);
    ReportDrawCalls(state, *view, edges);
    ClosePathRender(render);
}

void BM_RouteLine_Baseline(benchmark::State& state)
{
    const auto edges = static_cast<size_t>(state.range(0));
    std::unique_ptr<CNavPath> path = bench::NewSyntheticPath(edges, kPointsPerEdge);
    std::unique_ptr<CMapService> view = bench::NewCountingMapView(0);
    CPath* pathInterface = path.get();
    CMapService* viewInterface = view.get();
    for (auto _ : state)
    {
        benchmark::DoNotOptimize(pathInterface);
        benchmark::DoNotOptimize(viewInterface);
        benchmark::DoNotOptimize(bench::DrawRouteLineByHand(*pathInterface, *viewInterface));
    }
    ReportDrawCalls(state, *view, edges);
}

// The library and the baseline measured in alternation, a chunk of frames
// each (about 0.2 ms), on this thread's CPU clock: on a shared machine both
// then see the same load, and the ratio is the median of the per-pair ratios.
// The order within a pair alternates, so that neither always runs on the
// caches the other warmed.
void BM_RouteLine_Paired(benchmark::State& state)
{
    const auto edges = static_cast<size_t>(state.range(0));
    bench::SetLoggingOff();
    std::unique_ptr<CNavPath> path = bench::NewSyntheticPath(edges, kPointsPerEdge);
    std::unique_ptr<CMapService> view = bench::NewCountingMapView(0);
    AdvicePathRenderEx* render = NewRouteLineRender(*path, *view);
    CPath* pathInterface = path.get();
    CMapService* viewInterface = view.get();

    const size_t framesPerChunk = std::max<size_t>(1, 20000 / edges);
    auto libraryChunk = [&]()
    {
        const double start = bench::ThreadCpuNanoseconds();
        for (size_t f = 0; f < framesPerChunk; ++f)
            render->Draw(true, false);
        return (bench::ThreadCpuNanoseconds() - start) / static_cast<double>(framesPerChunk);
    };
    auto baselineChunk = [&]()
    {
        const double start = bench::ThreadCpuNanoseconds();
        for (size_t f = 0; f < framesPerChunk; ++f)
        {
            benchmark::DoNotOptimize(pathInterface);
            benchmark::DoNotOptimize(viewInterface);
            benchmark::DoNotOptimize(bench::DrawRouteLineByHand(*pathInterface, *viewInterface));
        }
        return (bench::ThreadCpuNanoseconds() - start) / static_cast<double>(framesPerChunk);
    };

    const bench::PairedMedians paired = bench::TimePaired(state, libraryChunk, baselineChunk);
    state.counters["edges"] = static_cast<double>(edges);
    state.counters["library_ns"] = paired.first;
    state.counters["baseline_ns"] = paired.second;
    state.counters["ratio"] = paired.ratio;
    ClosePathRender(render);
}

} // namespace

BENCHMARK(BM_RouteLine_Paired)->Arg(1000)->Arg(10000)->Arg(100000);
BENCHMARK(BM_RouteLine_Library)->Arg(1000)->Arg(10000)->Arg(100000);
BENCHMARK(BM_RouteLine_Baseline)->Arg(1000)->Arg(10000)->Arg(100000);
