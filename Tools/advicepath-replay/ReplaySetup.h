// What both kinds of run share: the log settings, the size table, the route
// with its time base, the part of it to drive, and the replay's settings.
#ifndef TOOLS_ADVICEPATH_REPLAY_REPLAYSETUP_H
#define TOOLS_ADVICEPATH_REPLAY_REPLAYSETUP_H

#include "CommonOptions.h"
#include "Progress.h"
#include "ReplayOptions.h"
#include "SizeTable.h"

#include "Drive/DriveReplay.h"
#include "Drive/RouteTimeline.h"
#include "MapService.h"
#include "RoadMap/Painter/RoadMapPainter.h"
#include "Route/RouteModel.h"

#include <memory>
#include <optional>
#include <string>

namespace tools
{

struct LoadedRoute
{
    SizeTable sizes;
    std::optional<refhost::RouteModel> model;
    std::optional<drive::RouteTimeline> timeline;
    // --map, where asked for: the extract's roads under the drive, and the
    // metres of the route off them.
    std::shared_ptr<roadmap::RoadMapPainter> roadMap;
    double offMap = 0.0;
    // The drive to replay, seconds of the time base.
    double startSeconds = 0.0;
    double endSeconds = 0.0;
    // What loading took: reading the file and building the model, then the
    // time base.
    double readSeconds = 0.0;
    double timelineSeconds = 0.0;
};

// Applies --log-level and --log-config, reads the size table and the route,
// with `withMap` the --map extract under it (which counts a route file's
// roundabout exits), builds its model and time base and resolves --from/--to.
// Returns an exit code on failure (the message written), nothing on success.
std::optional<int> LoadRoute(const ReplayOptions& options, LoadedRoute& loaded,
                             bool withMap = false);

// The replay's settings from the options; `captionHeight` is kept free at
// the top of the view.
drive::ReplaySettings MakeReplaySettings(const ReplayOptions& options, double captionHeight);

// A library handle drawing on `view` with the run's size table and colours;
// null (the message written) when the library refuses the size table.
std::unique_ptr<AdvicePathRenderEx, bool (*)(AdvicePathRenderEx*)>
OpenRender(CMapService& view, const SizeTable& sizes, const ReplayOptions& options);

} // namespace tools

#endif
