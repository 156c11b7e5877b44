// The turn at the next manoeuvre, per frame, on the junctions of real routes:
// Draw(false, true) through the exported handle, with the probe and logging as
// they ship and with logging thresholded away, under three geodesy models; the
// junction builder's cuts alone; the probe alone; heap allocations per frame.
#include "AdvicePathRenderEx.h"
#include "BenchHost.h"
#include "HeapCounter.h"
#include "PairedTiming.h"
#include "Render/CrossPathEdges.h"
#include "Render/OperationProbe.h"
#include "RouteJunctions.h"
#include "TurnFloor.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace
{

enum LoggingArg
{
    kLoggingOff = 0,
    kLoggingShipped = 1,
};

bench::GeodesyModel ModelArg(int64_t value)
{
    return static_cast<bench::GeodesyModel>(value);
}

void SetUpHost(int64_t logging, int64_t model)
{
    bench::RouteLogLinesToNullDevice();
    bench::CountLibraryAllocations();
    if (logging == kLoggingShipped)
        bench::SetLoggingShipped();
    else
        bench::SetLoggingOff();
    bench::SetGeodesyModel(ModelArg(model));
    bench::SetPlanarLonScale(bench::PlanarLonScaleAt(45.0));
}

// The planar model's longitude scale at a junction (the planar model is only
// a stand-in for the cost; it is set per frame so that its lengths stay sane).
double LonScaleAt(const bench::RouteJunctions& route, const bench::Junction& junction)
{
    return bench::PlanarLonScaleAt(route.model->ManeuverAt(junction.maneuver).location.lat);
}

// One handle per junction of the turn routes, each with the manoeuvre handed
// over (under the geodesy model in force, which fixes the entering edges'
// lengths) and a counting map view.
class TurnHandles
{
public:
    TurnHandles() : m_view(bench::NewCountingMapView(0))
    {
        AdvicePathSizeSetting size;
        bench::TurnSizeRecord(size);
        for (const auto& route : bench::TurnRoutes())
        {
            for (bench::Junction& junction : route->junctions)
            {
                bench::SetPlanarLonScale(LonScaleAt(*route, junction));
                AdvicePathRenderEx* render = NewPathRender(nullptr, m_view.get());
                render->SetSize(&size, 1, 30);
                render->SetTurnInfo(junction.turn, &junction.path);
                m_handles.push_back(render);
                m_lonScales.push_back(LonScaleAt(*route, junction));
            }
        }
    }
    ~TurnHandles()
    {
        for (AdvicePathRenderEx* render : m_handles)
            ClosePathRender(render);
    }
    TurnHandles(const TurnHandles&) = delete;
    TurnHandles& operator=(const TurnHandles&) = delete;

    size_t Size() const { return m_handles.size(); }
    void DrawFrame(size_t i)
    {
        bench::SetPlanarLonScale(m_lonScales[i]);
        m_handles[i]->Draw(false, true);
    }
    CMapService& View() { return *m_view; }

private:
    std::unique_ptr<CMapService> m_view;
    std::vector<AdvicePathRenderEx*> m_handles;
    std::vector<double> m_lonScales;
};

// One untimed pass over every junction: heap allocations and drawn turns per
// frame.
template <typename DrawOne>
void ReportPerFrame(benchmark::State& state, size_t frames, DrawOne drawOne,
                    const CMapService* view)
{
    const bench::GeodesyCounts geodesyBefore = bench::ReadGeodesyCounts();
    const bench::HeapCounts before = bench::ReadHeapCounts();
    const bench::DrawCounts drawnBefore = view ? bench::CountsOf(*view) : bench::DrawCounts();
    for (size_t i = 0; i < frames; ++i)
        drawOne(i);
    const bench::HeapCounts after = bench::ReadHeapCounts();
    const bench::GeodesyCounts geodesyAfter = bench::ReadGeodesyCounts();
    const bench::DrawCounts drawnAfter = view ? bench::CountsOf(*view) : bench::DrawCounts();
    const auto n = static_cast<double>(frames);
    state.counters["junctions"] = n;
    if (bench::ProcessCountingActive())
        state.counters["heap_allocs_per_frame"] =
            static_cast<double>(after.process - before.process) / n;
    state.counters["lib_allocs_per_frame"] =
        static_cast<double>(after.library - before.library) / n;
    // Segments the host's geodesy measured per frame: SegmentLength calls plus
    // the segments of LineLength calls.
    state.counters["segments_per_frame"] =
        static_cast<double>((geodesyAfter.segmentCalls - geodesyBefore.segmentCalls) +
                            (geodesyAfter.lineSegments - geodesyBefore.lineSegments)) /
        n;
    state.counters["line_segments_per_frame"] =
        static_cast<double>(geodesyAfter.lineSegments - geodesyBefore.lineSegments) / n;
    if (view != nullptr)
        state.counters["arrows_per_frame"] =
            static_cast<double>(drawnAfter.polygons - drawnBefore.polygons) / n;
}

void BM_TurnFrame(benchmark::State& state)
{
    SetUpHost(state.range(0), state.range(1));
    TurnHandles handles;
    const size_t n = handles.Size();
    size_t i = 0;
    for (auto _ : state)
    {
        handles.DrawFrame(i);
        if (++i == n)
            i = 0;
    }
    ReportPerFrame(
        state, n, [&](size_t k) { handles.DrawFrame(k); }, &handles.View());
    bench::SetLoggingOff();
}

// The segments the recorded geodesy calls measure: a line's segments, one
// for a two-point length, none for a unit-degree question.
size_t SegmentsMeasured(const std::vector<std::vector<bench::GeodesyCall>>& calls)
{
    size_t segments = 0;
    for (const auto& frame : calls)
        for (const bench::GeodesyCall& call : frame)
        {
            if (call.kind == bench::GeodesyCall::Line)
                segments += call.count >= 2 ? call.count - 1u : 0u;
            else if (call.kind != bench::GeodesyCall::UnitDegree)
                ++segments;
        }
    return segments;
}

// The turn frame against its floor (TurnFloor.h): the geodesy calls each
// junction's frame makes, recorded once and made again in a bare loop. Both
// sides go round every junction, in alternating chunks of about 0.2 ms on this
// thread's CPU clock (as the route line's pairs, RouteLineBench.cpp); the
// ratio is the median of the pairs' ratios. Logging off.
void BM_TurnFloor_Paired(benchmark::State& state)
{
    SetUpHost(kLoggingOff, state.range(0));
    TurnHandles handles;
    const size_t n = handles.Size();
    std::vector<std::vector<bench::GeodesyCall>> calls;
    for (size_t k = 0; k < n; ++k)
        calls.push_back(bench::RecordGeodesyCallsOf([&] { handles.DrawFrame(k); }));
    const size_t segments = SegmentsMeasured(calls);

    constexpr int kPassesPerChunk = 4;
    auto libraryChunk = [&]()
    {
        const double start = bench::ThreadCpuNanoseconds();
        for (int pass = 0; pass < kPassesPerChunk; ++pass)
            for (size_t k = 0; k < n; ++k)
                handles.DrawFrame(k);
        return (bench::ThreadCpuNanoseconds() - start) / static_cast<double>(kPassesPerChunk * n);
    };
    double sink = 0.0;
    auto floorChunk = [&]()
    {
        const double start = bench::ThreadCpuNanoseconds();
        for (int pass = 0; pass < kPassesPerChunk; ++pass)
            for (size_t k = 0; k < n; ++k)
                sink += bench::ReplayGeodesyCalls(calls[k]);
        return (bench::ThreadCpuNanoseconds() - start) / static_cast<double>(kPassesPerChunk * n);
    };

    const bench::PairedMedians paired = bench::TimePaired(state, libraryChunk, floorChunk);
    benchmark::DoNotOptimize(sink);
    state.counters["junctions"] = static_cast<double>(n);
    state.counters["segments_per_frame"] = static_cast<double>(segments) / static_cast<double>(n);
    state.counters["library_ns"] = paired.first;
    state.counters["floor_ns"] = paired.second;
    state.counters["ratio"] = paired.ratio;
}

// The junction builders of every junction, with the manoeuvre handed over.
class JunctionBuilders
{
public:
    JunctionBuilders()
    {
        for (const auto& route : bench::TurnRoutes())
        {
            for (bench::Junction& junction : route->junctions)
            {
                bench::SetPlanarLonScale(LonScaleAt(*route, junction));
                auto builder = std::make_unique<CCrossPathEdges>();
                builder->SetCrossInfo(&junction.path, junction.turn);
                m_builders.push_back(std::move(builder));
                m_lonScales.push_back(LonScaleAt(*route, junction));
            }
        }
    }

    size_t Size() const { return m_builders.size(); }

    int Cut(size_t i)
    {
        AdvicePathSizeSetting size;
        bench::TurnSizeRecord(size);
        bench::SetPlanarLonScale(m_lonScales[i]);
        return m_builders[i]->GenerateCrossEdges(
            size.m_ToLength, size.m_FromLength, size.m_LengthTolerance,
            static_cast<double>(size.m_ArrowLength) * kAdvicePathArrowRoom);
    }

    int CutWithArrow(size_t i)
    {
        AdvicePathSizeSetting size;
        bench::TurnSizeRecord(size);
        if (Cut(i) < 0)
            return -1;
        return m_builders[i]->GenerateArrowHead(m_arrow, 3, size.m_ArrowLength, size.m_ArrowWidth);
    }

private:
    std::vector<std::unique_ptr<CCrossPathEdges>> m_builders;
    std::vector<double> m_lonScales;
    tagLonLat m_arrow[3];
};

void BM_GenerateCrossEdges(benchmark::State& state)
{
    SetUpHost(kLoggingOff, state.range(0));
    JunctionBuilders builders;
    const size_t n = builders.Size();
    size_t i = 0;
    for (auto _ : state)
    {
        benchmark::DoNotOptimize(builders.Cut(i));
        if (++i == n)
            i = 0;
    }
    ReportPerFrame(
        state, n, [&](size_t k) { builders.Cut(k); }, nullptr);
}

void BM_GenerateCrossEdgesAndArrowHead(benchmark::State& state)
{
    SetUpHost(kLoggingOff, state.range(0));
    JunctionBuilders builders;
    const size_t n = builders.Size();
    size_t i = 0;
    int failures = 0;
    for (auto _ : state)
    {
        failures += builders.CutWithArrow(i) < 0 ? 1 : 0;
        if (++i == n)
            i = 0;
    }
    benchmark::DoNotOptimize(failures);
    ReportPerFrame(
        state, n, [&](size_t k) { builders.CutWithArrow(k); }, nullptr);
}

// The operation probe of one DrawTurn on its own: two memory readings, the
// stopwatch and the two log lines.
void BM_OperationProbe(benchmark::State& state)
{
    SetUpHost(state.range(0), 0);
    for (auto _ : state)
    {
        COperationProbe probe(AP_MSG_PROBE_DRAW_TURN_TIME, AP_MSG_PROBE_DRAW_TURN_MEMORY);
        probe.Start();
        probe.Finish();
    }
    bench::SetLoggingOff();
}

void BM_GlobalMemoryStatus(benchmark::State& state)
{
    MEMORYSTATUS status{};
    status.dwLength = sizeof(status);
    for (auto _ : state)
    {
        GlobalMemoryStatus(&status);
        benchmark::DoNotOptimize(status);
    }
}

void BM_TimerStartEnd(benchmark::State& state)
{
    for (auto _ : state)
    {
        Timer timer;
        timer.StartTime();
        timer.EndTime();
        benchmark::DoNotOptimize(timer.GetTime());
    }
}

void GeodesyArgs(benchmark::internal::Benchmark* b)
{
    b->ArgName("geodesy");
    for (int model = 0; model <= 2; ++model)
        b->Arg(model);
}

} // namespace

// logging: 0 thresholded away, 1 as shipped; geodesy: 0 fast, 1 exact, 2 planar.
BENCHMARK(BM_TurnFrame)
    ->ArgNames({"logging", "geodesy"})
    ->Args({kLoggingShipped, 0})
    ->Args({kLoggingOff, 0})
    ->Args({kLoggingOff, 1})
    ->Args({kLoggingOff, 2});
BENCHMARK(BM_TurnFloor_Paired)->ArgName("geodesy")->Arg(0)->Arg(1);
BENCHMARK(BM_GenerateCrossEdges)->Apply(GeodesyArgs);
BENCHMARK(BM_GenerateCrossEdgesAndArrowHead)->Apply(GeodesyArgs);
BENCHMARK(BM_OperationProbe)->ArgName("logging")->Arg(kLoggingOff)->Arg(kLoggingShipped);
BENCHMARK(BM_GlobalMemoryStatus);
BENCHMARK(BM_TimerStartEnd);
