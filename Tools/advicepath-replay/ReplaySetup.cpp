#include "ReplaySetup.h"

#include "IndexPage.h"
#include "MapRoundaboutExits.h"
#include "RoadMapLayer.h"
#include "RouteSource.h"

#include "Drive/ManeuverSchedule.h"
#include "Memory/ProcessMemoryStatus.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <iostream>

namespace tools
{

namespace
{

// --from N starts this long before manoeuvre N's announcement; --to N ends
// this long after its junction is passed.
constexpr double kLeadSeconds = 5.0;

std::optional<int> TimeOf(const RoutePoint& point, bool start, const LoadedRoute& loaded,
                          const drive::ManeuverSchedule& schedule, double& seconds)
{
    const drive::RouteTimeline& timeline = *loaded.timeline;
    const char* option = start ? "--from" : "--to";
    if (!point.isManeuver)
    {
        if (point.metres > timeline.Length())
            return Fail(kExitUsage, std::string(option) + " " + FormatDistance(point.metres) +
                                        ": the route is " + FormatDistance(timeline.Length()) +
                                        " long");
        seconds = timeline.TimeAtDistance(point.metres);
        return std::nullopt;
    }
    const size_t count = schedule.Maneuvers().size();
    if (static_cast<size_t>(point.maneuver) > count)
        return Fail(kExitUsage, std::string(option) + " " + std::to_string(point.maneuver) +
                                    ": the route has " + std::to_string(count) + " manoeuvres");
    const drive::ScheduledManeuver& m =
        schedule.Maneuvers()[static_cast<size_t>(point.maneuver) - 1];
    seconds = start ? timeline.TimeAtDistance(m.announce) - kLeadSeconds
                    : timeline.TimeAtDistance(m.passed) + kLeadSeconds;
    seconds = std::clamp(seconds, 0.0, timeline.Duration());
    return std::nullopt;
}

} // namespace

std::optional<int> LoadRoute(const ReplayOptions& options, LoadedRoute& loaded, bool withMap)
{
    if (auto code = ApplyLogOptions(options))
        return code;
    std::string error;
    loaded.sizes = DefaultSizeTable();
    if (!options.sizesFile.empty() && !ReadSizeTable(options.sizesFile, loaded.sizes, error))
        return Fail(kExitInput, error);

    const auto readStart = std::chrono::steady_clock::now();
    refhost::RouteDescription route;
    if (!LoadRouteModel(options.source, options.quiet, loaded.model, error, &route))
        return Fail(kExitInput, error);
    loaded.readSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - readStart).count();
    if (withMap && !options.source.mapFile.empty() &&
        (!LoadRoadMapLayer(options.source.mapFile, *loaded.model, loaded.roadMap, error,
                           &loaded.offMap) ||
         !CountExitsOnMap(loaded.roadMap->Map(), options.source, route, loaded.model, error)))
        return Fail(kExitInput, error);
    const auto timelineStart = std::chrono::steady_clock::now();
    loaded.timeline.emplace(*loaded.model, options.speedKmh);
    loaded.timelineSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - timelineStart).count();

    drive::AnnouncementRule rule;
    rule.minMetres = options.announceMetres;
    rule.seconds = options.announceSeconds;
    const drive::ManeuverSchedule schedule(*loaded.model, *loaded.timeline, rule);
    loaded.startSeconds = 0.0;
    loaded.endSeconds = loaded.timeline->Duration();
    if (options.from)
        if (auto code = TimeOf(*options.from, true, loaded, schedule, loaded.startSeconds))
            return code;
    if (options.to)
        if (auto code = TimeOf(*options.to, false, loaded, schedule, loaded.endSeconds))
            return code;
    if (!(loaded.endSeconds > loaded.startSeconds))
        return Fail(kExitUsage, "--from and --to leave nothing to drive (the part ends where it "
                                "starts or before)");
    return std::nullopt;
}

drive::ReplaySettings MakeReplaySettings(const ReplayOptions& options, double captionHeight)
{
    drive::ReplaySettings settings;
    settings.camera.width = options.width;
    settings.camera.height = options.height;
    settings.camera.headingUp = !options.northUp;
    settings.camera.topReserve = captionHeight;
    settings.announcement.minMetres = options.announceMetres;
    settings.announcement.seconds = options.announceSeconds;
    settings.allocationCount = [] { return refhost::memory::ReadHeapFigures().allocations; };
    return settings;
}

std::unique_ptr<AdvicePathRenderEx, bool (*)(AdvicePathRenderEx*)>
OpenRender(CMapService& view, const SizeTable& sizes, const ReplayOptions& options)
{
    std::unique_ptr<AdvicePathRenderEx, bool (*)(AdvicePathRenderEx*)> render(
        NewPathRender(nullptr, &view), &ClosePathRender);
    if (!render || render->SetSize(const_cast<AdvicePathSizeSetting*>(sizes.levels.data()),
                                   static_cast<int>(sizes.levels.size()), sizes.maxTurnLevel) != 1)
    {
        Fail(kExitInput, "the library refused the size table");
        render.reset();
        return render;
    }
    render->SetClr(options.colours);
    return render;
}

} // namespace tools
