// The reference host's geodesy on the segments of real roads: every link of
// the turn routes, measured whole by LineLength and segment by segment by
// SegmentLength, and the library's binding on the bench host on top. One
// iteration measures every link once; the counter ns_per_segment divides the
// thread's CPU time by the segments (in seconds in the JSON output).
#include "BenchHost.h"
#include "Geodesy.h"
#include "Geodesy/ReferenceGeodesy.h"
#include "RouteJunctions.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace
{

struct RealLinks
{
    std::vector<const std::vector<tagLonLat>*> links;
    size_t segments = 0;
};

const RealLinks& Links()
{
    static const RealLinks links = []
    {
        RealLinks all;
        for (const auto& route : bench::TurnRoutes())
            for (size_t link = 0; link < route->model->LinkCount(); ++link)
            {
                const std::vector<tagLonLat>& points = route->model->LinkPoints(link);
                all.links.push_back(&points);
                all.segments += points.size() - 1;
            }
        return all;
    }();
    return links;
}

void ReportSegments(benchmark::State& state)
{
    const auto segments = static_cast<double>(Links().segments);
    state.counters["segments"] = segments;
    state.counters["ns_per_segment"] =
        benchmark::Counter(segments * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void SetModel(int64_t exact)
{
    bench::SetLoggingOff();
    bench::SetGeodesyModel(exact != 0 ? bench::GeodesyModel::Exact : bench::GeodesyModel::Fast);
}

// refhost::geodesy::LineLength of every link.
void BM_HostLineLength(benchmark::State& state)
{
    SetModel(state.range(0));
    const RealLinks& links = Links();
    for (auto _ : state)
        for (const std::vector<tagLonLat>* link : links.links)
            benchmark::DoNotOptimize(refhost::geodesy::LineLength(
                static_cast<unsigned short>(link->size()), link->data()));
    ReportSegments(state);
}

// refhost::geodesy::SegmentLength of every segment, one call each.
void BM_HostSegmentLength(benchmark::State& state)
{
    SetModel(state.range(0));
    const RealLinks& links = Links();
    for (auto _ : state)
        for (const std::vector<tagLonLat>* link : links.links)
            for (size_t i = 1; i < link->size(); ++i)
            {
                const tagLonLat& a = (*link)[i - 1];
                const tagLonLat& b = (*link)[i];
                benchmark::DoNotOptimize(
                    refhost::geodesy::SegmentLength(a.lon, a.lat, b.lon, b.lat));
            }
    ReportSegments(state);
}

// The library's LineLength on the bench host: the binding (its call count,
// the model switch) and the call from another translation unit on top.
void BM_BindingLineLength(benchmark::State& state)
{
    SetModel(0);
    const RealLinks& links = Links();
    for (auto _ : state)
        for (const std::vector<tagLonLat>* link : links.links)
            benchmark::DoNotOptimize(
                LineLength(static_cast<unsigned short>(link->size()), link->data()));
    ReportSegments(state);
}

} // namespace

// exact: 0 the fast model (the reference host's default), 1 the geodesic.
BENCHMARK(BM_HostLineLength)->ArgName("exact")->Arg(0)->Arg(1);
BENCHMARK(BM_HostSegmentLength)->ArgName("exact")->Arg(0)->Arg(1);
BENCHMARK(BM_BindingLineLength);
