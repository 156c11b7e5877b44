// The route line: Draw(true, false) of the library against a baseline that
// walks the same path through the same CPath interface and makes the same
// DrawLine calls itself.
//
// Both see the path and the map view only as CPath and CMapService (their
// implementations are in other translation units), so neither can devirtualise
// or elide a call: the difference is what the library adds to the bare walk.
#include "AdvicePathRenderEx.h"
#include "BenchHost.h"
#include "RouteLineFloor.h"
#include "SyntheticPath.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <ctime>
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

void BM_RouteLine_Library(benchmark::State& state)
{
    const auto edges = static_cast<size_t>(state.range(0));
    bench::SetLoggingOff();
    std::unique_ptr<CNavPath> path = bench::NewSyntheticPath(edges, kPointsPerEdge);
    std::unique_ptr<CMapService> view = bench::NewCountingMapView(0);
    AdvicePathRenderEx* render = NewPathRender(path.get(), view.get());
    AdvicePathSizeSetting size{};
    size.m_PathWidth = kFillWidth;
    size.m_PathBorderWidth = kBorderWidth;
    render->SetSize(&size, 1, 0);
    render->SetClr(AdvicePathClrSetting(kFillColour, kBorderColour, 0x00FFFFFFu, 0));
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

double ThreadCpuNanoseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e9 + static_cast<double>(now.tv_nsec);
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : 0.5 * (values[n / 2 - 1] + values[n / 2]);
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
    AdvicePathRenderEx* render = NewPathRender(path.get(), view.get());
    AdvicePathSizeSetting size{};
    size.m_PathWidth = kFillWidth;
    size.m_PathBorderWidth = kBorderWidth;
    render->SetSize(&size, 1, 0);
    render->SetClr(AdvicePathClrSetting(kFillColour, kBorderColour, 0x00FFFFFFu, 0));
    CPath* pathInterface = path.get();
    CMapService* viewInterface = view.get();

    const size_t framesPerChunk = std::max<size_t>(1, 20000 / edges);
    auto libraryChunk = [&]()
    {
        const double start = ThreadCpuNanoseconds();
        for (size_t f = 0; f < framesPerChunk; ++f)
            render->Draw(true, false);
        return (ThreadCpuNanoseconds() - start) / static_cast<double>(framesPerChunk);
    };
    auto baselineChunk = [&]()
    {
        const double start = ThreadCpuNanoseconds();
        for (size_t f = 0; f < framesPerChunk; ++f)
        {
            benchmark::DoNotOptimize(pathInterface);
            benchmark::DoNotOptimize(viewInterface);
            benchmark::DoNotOptimize(bench::DrawRouteLineByHand(*pathInterface, *viewInterface));
        }
        return (ThreadCpuNanoseconds() - start) / static_cast<double>(framesPerChunk);
    };

    std::vector<double> library;
    std::vector<double> baseline;
    std::vector<double> ratios;
    bool libraryFirst = true;
    for (auto _ : state)
    {
        double lib = 0.0;
        double base = 0.0;
        if (libraryFirst)
        {
            lib = libraryChunk();
            base = baselineChunk();
        }
        else
        {
            base = baselineChunk();
            lib = libraryChunk();
        }
        libraryFirst = !libraryFirst;
        library.push_back(lib);
        baseline.push_back(base);
        ratios.push_back(base > 0.0 ? lib / base : 0.0);
    }
    state.counters["edges"] = static_cast<double>(edges);
    state.counters["library_ns"] = Median(library);
    state.counters["baseline_ns"] = Median(baseline);
    state.counters["ratio"] = Median(ratios);
    ClosePathRender(render);
}

} // namespace

BENCHMARK(BM_RouteLine_Paired)->Arg(1000)->Arg(10000)->Arg(100000);
BENCHMARK(BM_RouteLine_Library)->Arg(1000)->Arg(10000)->Arg(100000);
BENCHMARK(BM_RouteLine_Baseline)->Arg(1000)->Arg(10000)->Arg(100000);
