// A drive along a route with the library drawing on every repaint: the frame
// loop of a navigation device, on the reference host.
//
// Each Frame(t):
//   1. the vehicle's position at t from the route's time base;
//   2. the remaining path starts at the vehicle (RemainingPath);
//   3. the announced manoeuvre's band is dropped (ClearBigArrow) once the
//      vehicle has passed its junction; the next manoeuvre ahead is announced
//      (SetTurnInfo, once, with a copy of the remaining path that lives until
//      the next announcement) when the vehicle reaches its announcement
//      (ManeuverSchedule);
//   4. the camera follows (ReplayCamera) and the route line's path is cut
//      down to the links near the view (RouteLinePath, with a margin);
//   5. the caller's BeforeDraw prepares its map view for the frame (viewport,
//      vehicle marker, caption, an empty picture);
//   6. Draw(true, true).
// The library's calls are timed (steady clock) and the heap blocks they
// allocate counted (ReplaySettings::allocationCount, when the host gives one).
//
// Before the first frame the turn is switched off (ClearBigArrow), as a host
// does when it starts a route, and the handle's path is set to the route line
// (SetPath). Frames may come at any times; a time before the previous one
// makes the camera jump instead of moving and drops the band if the vehicle
// is back before its announcement.
#ifndef DRIVE_DRIVEREPLAY_H
#define DRIVE_DRIVEREPLAY_H

#include "AdvicePathRenderEx.h"
#include "Drive/RouteTimeline.h"
#include "LinkBoxIndex.h"
#include "ManeuverSchedule.h"
#include "ReplayCamera.h"
#include "Route/RemainingPath.h"
#include "Route/RouteModel.h"
#include "RouteLinePath.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace drive
{

struct ReplaySettings
{
    CameraSettings camera;
    AnnouncementRule announcement;
    // How far beyond the view's edges a link still counts as near, CSS pixels.
    double routeLineMargin = 64.0;
    // The heap blocks the process has allocated so far, read before and after
    // each library call; empty: allocations are not counted (FrameRecord::
    // allocations stays 0). The frame loop itself knows no allocator.
    std::function<uint64_t()> allocationCount;
};

// One frame: what the host did and what the library's calls cost.
struct FrameRecord
{
    VehicleState vehicle;
    refhost::MapViewport viewport;
    int level = 0;       // the map view's level of the viewport
    double lambda = 0.0; // the camera's level value (ReplayCamera.h)
    // Model indexes: the first manoeuvre not yet passed, and the one whose
    // band is shown (none between announcements).
    std::optional<std::size_t> next;
    std::optional<std::size_t> announced;
    bool setTurnInfo = false;   // SetTurnInfo was called in this frame
    bool clearBigArrow = false; // ClearBigArrow was called in this frame
    bool bandFits = false;      // the announced band lies wholly in the view
    std::size_t routeLineEdges = 0;
    double drawSeconds = 0.0;    // Draw
    double setTurnSeconds = 0.0; // SetTurnInfo (0 when not called)
    double librarySeconds = 0.0; // every library call of the frame
    uint64_t allocations = 0;    // heap blocks allocated during those calls
};

class DriveReplay
{
public:
    using BeforeDraw = std::function<void(const FrameRecord&)>;

    // `render` has its map view, size table (`sizes`, turn drawn up to
    // `maxTurnLevel`) and colours set; the replay sets its path. The route,
    // the timeline and the handle must outlive the replay, and the handle
    // must not be given another path while the replay runs.
    DriveReplay(const refhost::RouteModel& route, const RouteTimeline& timeline,
                AdvicePathRenderEx& render, const std::vector<AdvicePathSizeSetting>& sizes,
                int maxTurnLevel, const ReplaySettings& settings, BeforeDraw beforeDraw);

    const ManeuverSchedule& Schedule() const { return m_schedule; }

    // One repaint at `seconds` of drive time (clamped to the drive). The
    // record stays valid until the next call.
    const FrameRecord& Frame(double seconds);

private:
    template <typename Call> void LibraryCall(Call call, double* seconds);
    LonLatBox NearView(const refhost::MapViewport& viewport) const;

    const refhost::RouteModel& m_route;
    const RouteTimeline& m_timeline;
    AdvicePathRenderEx& m_render;
    ReplaySettings m_settings;
    BeforeDraw m_beforeDraw;
    ManeuverSchedule m_schedule;
    ReplayCamera m_camera;
    LinkBoxIndex m_links;
    refhost::RemainingPath m_remaining;
    refhost::RemainingPath m_turnPath;
    RouteLinePath m_routeLine;
    std::optional<std::size_t> m_announced; // index into the schedule
    std::optional<double> m_lastTime;
    FrameRecord m_record;
};

} // namespace drive

#endif
