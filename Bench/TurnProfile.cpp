// A fixed number of turn frames, for instruction counts under callgrind
// (profile-turn.sh): every junction of the turn routes drawn `passes` times
// with Draw(false, true), logging thresholded away unless asked for.
//
//   ap_bench_turn_profile [--passes N] [--geodesy fast|exact|planar] [--logging]
#include "AdvicePathRenderEx.h"
#include "BenchHost.h"
#include "RouteJunctions.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    int passes = 10;
    bool logging = false;
    bench::GeodesyModel model = bench::GeodesyModel::Fast;
    for (int i = 1; i < argc; ++i)
    {
        const std::string arg = argv[i];
        if (arg == "--passes" && i + 1 < argc)
            passes =
                static_cast<int>(std::clamp(std::strtol(argv[++i], nullptr, 10), 1L, 1000000L));
        else if (arg == "--logging")
            logging = true;
        else if (arg == "--geodesy" && i + 1 < argc)
        {
            const std::string name = argv[++i];
            model = name == "exact"    ? bench::GeodesyModel::Exact
                    : name == "planar" ? bench::GeodesyModel::Planar
                                       : bench::GeodesyModel::Fast;
        }
        else
        {
            (void)std::fprintf(stderr, "usage: ap_bench_turn_profile [--passes N] "
                                       "[--geodesy fast|exact|planar] [--logging]\n");
            return 2;
        }
    }
    bench::RouteLogLinesToNullDevice();
    if (logging)
        bench::SetLoggingShipped();
    else
        bench::SetLoggingOff();
    bench::SetGeodesyModel(model);

    std::unique_ptr<CMapService> view = bench::NewCountingMapView(0);
    AdvicePathSizeSetting size;
    bench::TurnSizeRecord(size);
    std::vector<AdvicePathRenderEx*> handles;
    std::vector<double> lonScales;
    for (const auto& route : bench::TurnRoutes())
    {
        for (bench::Junction& junction : route->junctions)
        {
            const double lonScale =
                bench::PlanarLonScaleAt(route->model->ManeuverAt(junction.maneuver).location.lat);
            bench::SetPlanarLonScale(lonScale);
            AdvicePathRenderEx* render = NewPathRender(nullptr, view.get());
            render->SetSize(&size, 1, 30);
            render->SetTurnInfo(junction.turn, &junction.path);
            handles.push_back(render);
            lonScales.push_back(lonScale);
        }
    }
    for (int pass = 0; pass < passes; ++pass)
    {
        for (size_t k = 0; k < handles.size(); ++k)
        {
            bench::SetPlanarLonScale(lonScales[k]);
            handles[k]->Draw(false, true);
        }
    }
    const bench::DrawCounts counts = bench::CountsOf(*view);
    std::printf("frames %zu (junctions %zu, passes %d), arrow heads drawn %llu\n",
                handles.size() * static_cast<size_t>(passes), handles.size(), passes,
                static_cast<unsigned long long>(counts.polygons));
    for (AdvicePathRenderEx* render : handles)
        ClosePathRender(render);
    return 0;
}
