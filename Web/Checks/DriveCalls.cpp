// Drives a route file as the browser page does and writes every call the
// library makes on the map view (the trace of Support/RecordingMapView.h,
// whose scale follows the viewport as the page's canvas map view's): the overview (the whole
// route with the origin-destination line), then every frame of the drive's
// animation plan (the replay tool's defaults: 10 frames per second of
// animation, at most 60 s). Built natively and for the browser; the two
// outputs must be the same, byte for byte.
// Usage: web-drive-calls ROUTE_FILE OUTPUT_FILE
//        web-drive-calls --time ROUTE_FILE
// --time drives the route at 5 frames per second of driving time on a map
// view that only counts and times each frame's Draw, repeated 50 times so
// that the clock's own cost (large in the browser build) drops out; it prints
// the median, 90th percentile and mean of one Draw, for comparing the two
// builds' speed.
#include "AdvicePathRenderEx.h"
#include "Colours.h"
#include "Drive/AnimationPlan.h"
#include "Drive/DriveReplay.h"
#include "Route/ActiveRoute.h"
#include "RouteModelInput.h"
#include "SizeTable.h"
#include "Support/CountingMapView.h"
#include "Support/RecordingMapView.h"
#include "Support/ViewportScale.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>

namespace
{

using TracingView = aptest::FollowingViewport<aptest::RecordingMapView>;

// Where the library's default map view would come from; the drive hands its
// own view to every handle.
TracingView* g_view = nullptr;

using RenderHandle = std::unique_ptr<AdvicePathRenderEx, bool (*)(AdvicePathRenderEx*)>;

RenderHandle OpenRender(CMapService& view, tools::SizeTable sizes)
{
    RenderHandle render(NewPathRender(nullptr, &view), &ClosePathRender);
    if (render && render->SetSize(sizes.levels.data(), static_cast<int>(sizes.levels.size()),
                                  sizes.maxTurnLevel) != 1)
        render.reset();
    if (render)
        render->SetClr(tools::DefaultColours());
    return render;
}

void Overview(const refhost::RouteModel& model, TracingView& view, const tools::SizeTable& sizes)
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

int Drive(const refhost::RouteModel& model, TracingView& view, const tools::SizeTable& sizes,
          std::FILE* out)
{
    const drive::RouteTimeline timeline(model);
    RenderHandle render = OpenRender(view, sizes);
    if (!render)
        return 1;
    size_t frame = 0;
    drive::DriveReplay replay(
        model, timeline, *render, sizes.levels, sizes.maxTurnLevel, drive::ReplaySettings(),
        [&](const drive::FrameRecord& record)
        {
            static_cast<void>(std::fprintf(out, "frame %zu level %d\n", frame, record.level));
            view.SetViewport(record.viewport);
            view.Reset(); // the trace has the calls: keep no frame's
        });
    std::vector<std::pair<double, double>> announced;
    for (const drive::ScheduledManeuver& m : replay.Schedule().Maneuvers())
        if (m.announced)
            announced.emplace_back(timeline.TimeAtDistance(m.announce),
                                   timeline.TimeAtDistance(m.passed));
    const drive::AnimationPlan plan(0.0, timeline.Duration(), announced,
                                    drive::AnimationSettings());
    for (frame = 0; frame < plan.FrameCount(); ++frame)
        replay.Frame(plan.DriveTimeOf(frame));
    render->Clear();
    return 0;
}

constexpr double kTimedFramesPerSecond = 5.0;
constexpr int kDrawsPerFrame = 50;

int TimeFrames(const refhost::RouteModel& model, const tools::SizeTable& sizes)
{
    aptest::FollowingViewport<aptest::CountingMapView> view;
    tools::SizeTable table = sizes;
    RenderHandle render(NewPathRender(nullptr, &view), &ClosePathRender);
    if (!render || render->SetSize(table.levels.data(), static_cast<int>(table.levels.size()),
                                   table.maxTurnLevel) != 1)
        return 1;
    render->SetClr(tools::DefaultColours());
    const drive::RouteTimeline timeline(model);
    drive::DriveReplay replay(
        model, timeline, *render, sizes.levels, sizes.maxTurnLevel, drive::ReplaySettings(),
        [&](const drive::FrameRecord& record) { view.SetViewport(record.viewport); });
    std::vector<double> micros;
    for (int frame = 0; frame <= timeline.Duration() * kTimedFramesPerSecond; ++frame)
    {
        replay.Frame(frame / kTimedFramesPerSecond);
        const auto start = std::chrono::steady_clock::now();
        for (int draw = 0; draw < kDrawsPerFrame; ++draw)
            render->Draw(true, true);
        const std::chrono::duration<double, std::micro> took =
            std::chrono::steady_clock::now() - start;
        micros.push_back(took.count() / kDrawsPerFrame);
    }
    render->Clear();
    if (micros.empty())
        return 1;
    double sum = 0.0;
    for (const double value : micros)
        sum += value;
    std::sort(micros.begin(), micros.end());
    static_cast<void>(
        std::printf("frames %zu, one Draw: median %.2f us, p90 %.2f us, mean %.2f us\n",
                    micros.size(), micros[micros.size() / 2], micros[micros.size() * 9 / 10],
                    sum / static_cast<double>(micros.size())));
    return 0;
}

int CannotWrite(const char* file)
{
    static_cast<void>(std::fprintf(stderr, "web-drive-calls: %s: cannot write\n", file));
    return 4;
}

} // namespace

CMapService* CMapCreate::GetMapService(void* /*context*/)
{
    return g_view;
}

int main(int argc, char** argv)
{
    const bool timing = argc == 3 && std::string(argv[1]) == "--time";
    if (argc != 3)
    {
        static_cast<void>(std::fputs(
            "usage: web-drive-calls ROUTE_FILE OUTPUT_FILE | --time ROUTE_FILE\n", stderr));
        return 2;
    }
    std::optional<refhost::RouteModel> model;
    std::string error;
    const char* file = argv[timing ? 2 : 1];
    if (!tools::ModelOfRead(refhost::ReadRouteFile(file), file, model, error))
    {
        static_cast<void>(std::fprintf(stderr, "web-drive-calls: %s\n", error.c_str()));
        return 3;
    }
    if (timing)
        return TimeFrames(*model, tools::DefaultSizeTable());
    std::FILE* out = std::fopen(argv[2], "wb");
    if (out == nullptr)
        return CannotWrite(argv[2]);
    TracingView view;
    view.trace = out;
    g_view = &view;
    refhost::SetActiveRoute(&*model);
    const tools::SizeTable sizes = tools::DefaultSizeTable();
    Overview(*model, view, sizes);
    const int code = Drive(*model, view, sizes, out);
    refhost::SetActiveRoute(nullptr);
    const bool written = std::ferror(out) == 0;
    if (std::fclose(out) != 0 || !written)
        return CannotWrite(argv[2]);
    return code;
}
