// Drives a route file as the browser page does and writes every call the
// library makes on the map view (RecordingMapView.h): the overview (the whole
// route with the origin-destination line), then every frame of the drive's
// animation plan (the replay tool's defaults: 10 frames per second of
// animation, at most 60 s). Built natively and for the browser; the two
// outputs must be the same, byte for byte.
// Usage: web-drive-calls ROUTE_FILE OUTPUT_FILE
#include "RecordingMapView.h"

#include "AdvicePathRenderEx.h"
#include "Colours.h"
#include "Drive/AnimationPlan.h"
#include "Drive/DriveReplay.h"
#include "Route/ActiveRoute.h"
#include "RouteInput.h"
#include "SizeTable.h"

#include <cstdio>
#include <memory>

namespace
{

// Where the library's default map view would come from; the drive hands its
// own view to every handle.
web::RecordingMapView* g_view = nullptr;

using RenderHandle = std::unique_ptr<AdvicePathRenderEx, bool (*)(AdvicePathRenderEx*)>;

RenderHandle OpenRender(web::RecordingMapView& view, tools::SizeTable sizes)
{
    RenderHandle render(NewPathRender(nullptr, &view), &ClosePathRender);
    if (render && render->SetSize(sizes.levels.data(), static_cast<int>(sizes.levels.size()),
                                  sizes.maxTurnLevel) != 1)
        render.reset();
    if (render)
        render->SetClr(tools::DefaultColours());
    return render;
}

void Overview(const refhost::RouteModel& model, web::RecordingMapView& view,
              const tools::SizeTable& sizes)
{
    std::vector<tagLonLat> points;
    for (size_t link = 0; link < model.LinkCount(); ++link)
        points.insert(points.end(), model.LinkPoints(link).begin(), model.LinkPoints(link).end());
    refhost::MapViewport viewport;
    refhost::FitViewport(points.data(), points.size(), refhost::FitMargins(24.0), 18.0, viewport);
    view.SetViewport(viewport);
    RenderHandle render = OpenRender(view, sizes);
    render->SetPath(const_cast<refhost::RouteModel*>(&model));
    render->EnableDrawRedLine(true);
    render->Draw(true, false);
}

int Drive(const refhost::RouteModel& model, web::RecordingMapView& view,
          const tools::SizeTable& sizes, std::FILE* out)
{
    const refhost::RouteTimeline timeline(model);
    RenderHandle render = OpenRender(view, sizes);
    if (!render)
        return 1;
    size_t frame = 0;
    refhost::DriveReplay replay(model, timeline, *render, sizes.levels, sizes.maxTurnLevel,
                                refhost::ReplaySettings(),
                                [&](const refhost::FrameRecord& record)
                                {
                                    std::fprintf(out, "frame %zu level %d\n", frame, record.level);
                                    view.SetViewport(record.viewport);
                                });
    std::vector<std::pair<double, double>> announced;
    for (const refhost::ScheduledManeuver& m : replay.Schedule().Maneuvers())
        if (m.announced)
            announced.emplace_back(timeline.TimeAtDistance(m.announce),
                                   timeline.TimeAtDistance(m.passed));
    const refhost::AnimationPlan plan(0.0, timeline.Duration(), announced,
                                      refhost::AnimationSettings());
    for (frame = 0; frame < plan.FrameCount(); ++frame)
        replay.Frame(plan.DriveTimeOf(frame));
    render->Clear();
    return 0;
}

} // namespace

CMapService* CMapCreate::GetMapService(void* /*context*/)
{
    return g_view;
}

int main(int argc, char** argv)
{
    if (argc != 3)
    {
        std::fprintf(stderr, "usage: web-drive-calls ROUTE_FILE OUTPUT_FILE\n");
        return 2;
    }
    std::optional<refhost::RouteModel> model;
    std::string error;
    if (!ReadRouteModel(argv[1], 0, 30.0, model, error))
    {
        std::fprintf(stderr, "web-drive-calls: %s\n", error.c_str());
        return 3;
    }
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> out(std::fopen(argv[2], "wb"), &std::fclose);
    if (!out)
    {
        std::fprintf(stderr, "web-drive-calls: %s: cannot write\n", argv[2]);
        return 4;
    }
    web::RecordingMapView view(out.get());
    g_view = &view;
    refhost::SetActiveRoute(&*model);
    const tools::SizeTable sizes = tools::DefaultSizeTable();
    Overview(*model, view, sizes);
    const int code = Drive(*model, view, sizes, out.get());
    refhost::SetActiveRoute(nullptr);
    return code;
}
