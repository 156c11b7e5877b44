// The reference map view: one frame of the whole long route (629 km) at
// 1280 x 720, the library's route line recorded into the raster map view and
// painted with Cairo.
#include "AdvicePathRenderEx.h"
#include "BenchHost.h"
#include "MapView/RasterMapView.h"
#include "RouteJunctions.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace
{

struct LongRouteFrame
{
    std::unique_ptr<bench::RouteJunctions> route;
    refhost::RasterMapView view;
    AdvicePathRenderEx* render = nullptr;

    ~LongRouteFrame()
    {
        if (render != nullptr)
            ClosePathRender(render);
    }
};

// The long route with a viewport fitted to it and a handle drawing into it.
bool SetUpLongRoute(LongRouteFrame& frame, std::string& error)
{
    bench::SetLoggingOff();
    bench::SetGeodesyModel(bench::GeodesyModel::Fast);
    frame.route = bench::LoadRouteJunctions(bench::LongRouteFile(), error);
    if (!frame.route)
        return false;
    const refhost::RouteModel& model = *frame.route->model;
    std::vector<tagLonLat> points;
    for (size_t link = 0; link < model.LinkCount(); ++link)
        points.insert(points.end(), model.LinkPoints(link).begin(), model.LinkPoints(link).end());
    refhost::MapViewport viewport;
    viewport.width = 1280;
    viewport.height = 720;
    if (!refhost::FitViewport(points.data(), points.size(), refhost::FitMargins(24.0), 18.0,
                              viewport) ||
        !frame.view.SetViewport(viewport))
    {
        error = "cannot fit the viewport";
        return false;
    }
    frame.render = NewPathRender(frame.route->model.get(), &frame.view);
    AdvicePathSizeSetting size;
    bench::TurnSizeRecord(size);
    frame.render->SetSize(&size, 1, 30);
    return true;
}

// Painting alone: the drawing calls of one Draw(true, false) recorded once,
// then RenderImage per iteration.
void BM_RasterRenderImage(benchmark::State& state)
{
    LongRouteFrame frame;
    std::string error;
    if (!SetUpLongRoute(frame, error))
    {
        state.SkipWithError(error.c_str());
        return;
    }
    frame.render->Draw(true, false);
    refhost::RasterImage image;
    for (auto _ : state)
        benchmark::DoNotOptimize(frame.view.RenderImage(image));
    state.counters["drawing_calls"] = static_cast<double>(frame.view.Drawings().size());
    state.counters["links"] = static_cast<double>(frame.route->model->LinkCount());
}

// A whole repaint: Clear, the library's Draw(true, false) into the raster map
// view (which copies every polyline), and RenderImage.
void BM_RasterFrame(benchmark::State& state)
{
    LongRouteFrame frame;
    std::string error;
    if (!SetUpLongRoute(frame, error))
    {
        state.SkipWithError(error.c_str());
        return;
    }
    refhost::RasterImage image;
    for (auto _ : state)
    {
        frame.view.Clear();
        frame.render->Draw(true, false);
        benchmark::DoNotOptimize(frame.view.RenderImage(image));
    }
    state.counters["drawing_calls"] = static_cast<double>(frame.view.Drawings().size());
}

} // namespace

BENCHMARK(BM_RasterRenderImage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RasterFrame)->Unit(benchmark::kMillisecond);
