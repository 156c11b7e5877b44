#include "DriveReplay.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <utility>

namespace drive
{

using refhost::MapViewport;
using refhost::PixelPoint;
using refhost::RouteModel;
using refhost::UnwrapLongitude;

namespace
{

// The band's reach at each level up to the turn limit, from the size table
// as the library uses it (the leaving side extended by the arrow head's room).
std::vector<BandReach> ReachOf(const std::vector<AdvicePathSizeSetting>& sizes, int maxTurnLevel)
{
    std::vector<BandReach> reach;
    const int last = std::min(maxTurnLevel, static_cast<int>(sizes.size()) - 1);
    for (int level = 0; level <= last; ++level)
    {
        const AdvicePathSizeSetting& size = sizes[static_cast<size_t>(level)];
        const auto tolerance = static_cast<double>(size.m_LengthTolerance);
        reach.push_back(
            {static_cast<double>(size.m_FromLength) + tolerance, LeavingReach(size) + tolerance});
    }
    return reach;
}

} // namespace

DriveReplay::DriveReplay(const RouteModel& route, const RouteTimeline& timeline,
                         AdvicePathRenderEx& render,
                         const std::vector<AdvicePathSizeSetting>& sizes, int maxTurnLevel,
                         const ReplaySettings& settings, BeforeDraw beforeDraw)
    : m_route(route), m_timeline(timeline), m_render(render), m_settings(settings),
      m_beforeDraw(std::move(beforeDraw)), m_schedule(route, timeline, settings.announcement),
      m_camera(timeline, settings.camera, ReachOf(sizes, maxTurnLevel)), m_links(route),
      m_remaining(route), m_routeLine(route)
{
    m_render.SetPath(&m_routeLine);
    m_render.ClearBigArrow();
}

template <typename Call> void DriveReplay::LibraryCall(Call call, double* seconds)
{
    const uint64_t before = m_settings.allocationCount ? m_settings.allocationCount() : 0;
    const auto start = std::chrono::steady_clock::now();
    call();
    const double elapsed =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (m_settings.allocationCount)
        m_record.allocations += m_settings.allocationCount() - before;
    m_record.librarySeconds += elapsed;
    if (seconds != nullptr)
        *seconds += elapsed;
}

LonLatBox DriveReplay::NearView(const MapViewport& viewport) const
{
    const double margin = m_settings.routeLineMargin;
    const PixelPoint corners[] = {{-margin, -margin},
                                  {viewport.width + margin, -margin},
                                  {-margin, viewport.height + margin},
                                  {viewport.width + margin, viewport.height + margin}};
    LonLatBox box{HUGE_VAL, HUGE_VAL, -HUGE_VAL, -HUGE_VAL};
    for (const PixelPoint& corner : corners)
    {
        const tagLonLat point = Unproject(viewport, corner);
        // Unwrapped next to the centre, so that a view across the 180th
        // meridian gives one box reaching beyond it.
        const double lon = UnwrapLongitude(point.lon, viewport.centre.lon);
        box.west = std::min(box.west, lon);
        box.east = std::max(box.east, lon);
        box.south = std::min(box.south, point.lat);
        box.north = std::max(box.north, point.lat);
    }
    return box;
}

const FrameRecord& DriveReplay::Frame(double seconds)
{
    m_record = FrameRecord();
    const VehicleState vehicle = m_timeline.AtTime(seconds);
    m_record.vehicle = vehicle;
    const double elapsed = m_lastTime ? vehicle.time - *m_lastTime : -1.0;
    m_lastTime = vehicle.time;
    m_remaining.StartAt(vehicle.link, vehicle.segment, vehicle.position);

    const std::vector<ScheduledManeuver>& maneuvers = m_schedule.Maneuvers();
    const size_t next = m_schedule.NextAt(vehicle.distance);
    if (m_announced)
    {
        const ScheduledManeuver& shown = maneuvers[*m_announced];
        if (vehicle.distance >= shown.passed || vehicle.distance < shown.announce)
        {
            LibraryCall([this] { m_render.ClearBigArrow(); }, nullptr);
            m_record.clearBigArrow = true;
            m_announced.reset();
        }
    }
    if (!m_announced && next < maneuvers.size() && maneuvers[next].announced &&
        vehicle.distance >= maneuvers[next].announce)
    {
        // The path handed over stays as it is until the next announcement:
        // the library reads it again at every frame that draws the band.
        m_turnPath = m_remaining;
        const CTurnInfo turn = m_route.TurnInfoFor(maneuvers[next].maneuver);
        LibraryCall([this, &turn] { m_render.SetTurnInfo(turn, &m_turnPath); },
                    &m_record.setTurnSeconds);
        m_record.setTurnInfo = true;
        m_announced = next;
    }
    if (next < maneuvers.size())
        m_record.next = maneuvers[next].maneuver;
    if (m_announced)
        m_record.announced = maneuvers[*m_announced].maneuver;

    m_record.viewport = m_camera.Update(vehicle, maneuvers, next, m_announced.has_value(), elapsed);
    m_record.level = m_camera.Level();
    m_record.lambda = m_camera.Lambda();
    m_record.bandFits = m_camera.BandFits();
    m_routeLine.Select(m_remaining, m_links, NearView(m_record.viewport));
    m_record.routeLineEdges = m_routeLine.EdgeCount();

    if (m_beforeDraw)
        m_beforeDraw(m_record);
    LibraryCall([this] { m_render.Draw(true, true); }, &m_record.drawSeconds);
    return m_record;
}

} // namespace drive
