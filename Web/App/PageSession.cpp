#include "PageSession.h"

#include "FrameCaption.h"
#include "IndexPage.h"
#include "RouteModelInput.h"
#include "TurnHandover.h"

#include "CanvasMapView.h"
#include "MapView/ScaleLevels.h"
#include "Route/ActiveRoute.h"
#include "RouteFiles/ManeuverCaption.h"
#include "RouteFiles/RouteFiles.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>

namespace web
{

namespace
{

// A jump to a manoeuvre lands this long after its announcement: the band
// shows from the first frame on.
constexpr double kAfterAnnouncementSeconds = 0.1;
// From there the drive goes on in steps of this many seconds until the camera
// shows the whole band.
constexpr double kJumpStepSeconds = 0.25;
// The overview keeps this much room around the route, CSS pixels.
constexpr double kOverviewMargin = 24.0;

nlohmann::json Number(const std::optional<size_t>& maneuver)
{
    return maneuver ? nlohmann::json(*maneuver + 1) : nlohmann::json();
}

} // namespace

PageSession::PageSession()
    : m_sizes(tools::DefaultSizeTable()), m_colours(tools::DefaultColours()),
      m_drive(NewPathRender(nullptr, &DefaultCanvasMapView())),
      m_still(NewPathRender(nullptr, &DefaultCanvasMapView()))
{
    ApplySizes();
}

PageSession::~PageSession()
{
    m_replay.reset();
    refhost::SetActiveRoute(nullptr);
    ClosePathRender(m_drive);
    ClosePathRender(m_still);
}

bool PageSession::OpenRoute(std::string_view text, const std::string& name, std::string& error)
{
    std::optional<refhost::RouteModel> model;
    if (!tools::ModelOfRead(refhost::ParseRoute(text, refhost::RouteFormat::Auto, {}, name), name,
                            model, error))
        return false;
    // Nothing may point into the old route once it is replaced.
    m_replay.reset();
    ResetStill();
    refhost::SetActiveRoute(nullptr);
    m_model = std::move(model);
    m_name = name;
    m_timeline = std::make_unique<drive::RouteTimeline>(*m_model);
    refhost::SetActiveRoute(&*m_model);
    m_still->SetPath(&*m_model);
    return true;
}

void PageSession::ResetStill()
{
    if (m_stillManeuver)
        m_still->ClearBigArrow();
    m_stillManeuver.reset();
    m_turnPath = refhost::PathView();
}

std::string PageSession::RouteJson() const
{
    if (!m_model)
        return "null";
    const refhost::RouteModel& model = *m_model;
    const drive::ManeuverSchedule schedule(model, *m_timeline);
    nlohmann::json maneuvers = nlohmann::json::array();
    for (const drive::ScheduledManeuver& scheduled : schedule.Maneuvers())
    {
        const refhost::Maneuver& m = model.ManeuverAt(scheduled.maneuver);
        const refhost::ManeuverCaption caption = refhost::CaptionFor(m);
        maneuvers.push_back({{"instruction", caption.instruction},
                             {"bannerPrimary", caption.bannerPrimary},
                             {"bannerSecondary", caption.bannerSecondary},
                             {"roads", caption.roads},
                             {"at", "at " + tools::FormatDistance(scheduled.junction)},
                             {"arrival", scheduled.arrival}});
    }
    const nlohmann::json route = {{"name", m_name},
                                  {"summary", tools::FormatDistance(model.Length()) + ", " +
                                                  std::to_string(model.ManeuverCount()) +
                                                  " manoeuvres"},
                                  {"credit", model.Credit()},
                                  {"length", model.Length()},
                                  {"duration", m_timeline->Duration()},
                                  {"maneuvers", maneuvers}};
    return route.dump();
}

std::string PageSession::SizeTableJson() const
{
    return tools::WriteSizeTable(m_sizes);
}

bool PageSession::SetSizeTable(const std::string& text, const std::string& source,
                               std::string& error)
{
    tools::SizeTable table;
    if (!tools::ParseSizeTable(text, source, table, error))
        return false;
    const tools::SizeTable previous = m_sizes;
    m_sizes = std::move(table);
    if (!ApplySizes())
    {
        m_sizes = previous;
        ApplySizes();
        error = source + ": the library refused the size table";
        return false;
    }
    return true;
}

std::string PageSession::ColourList() const
{
    return tools::FormatColourList(m_colours);
}

bool PageSession::SetColours(const std::string& list, std::string& error)
{
    AdvicePathClrSetting colours;
    if (!tools::ParseColourList(list, colours, error))
        return false;
    m_colours = colours;
    return ApplySizes();
}

bool PageSession::ApplySizes()
{
    for (AdvicePathRenderEx* render : {m_drive, m_still})
    {
        if (render == nullptr ||
            render->SetSize(m_sizes.levels.data(), static_cast<int>(m_sizes.levels.size()),
                            m_sizes.maxTurnLevel) != 1)
            return false;
        render->SetClr(m_colours);
    }
    // The camera reads the band's reach from the table: a new drive, which
    // takes up again wherever the page asks for next.
    m_replay.reset();
    return true;
}

void PageSession::StartDrive(int width, int height)
{
    CanvasMapView& view = DefaultCanvasMapView();
    if (m_replay && view.Viewport().width == width && view.Viewport().height == height)
        return;
    refhost::MapViewport viewport;
    viewport.width = width;
    viewport.height = height;
    view.SetViewport(viewport);
    drive::ReplaySettings settings;
    settings.camera.width = width;
    settings.camera.height = height;
    m_replay = std::make_unique<drive::DriveReplay>(
        *m_model, *m_timeline, *m_drive, m_sizes.levels, m_sizes.maxTurnLevel, settings,
        [](const drive::FrameRecord& frame)
        {
            CanvasMapView& canvas = DefaultCanvasMapView();
            canvas.SetViewport(frame.viewport);
            CanvasMapView::Clear();
        });
}

void PageSession::DrawOverview(int width, int height)
{
    CanvasMapView& view = DefaultCanvasMapView();
    refhost::MapViewport viewport;
    viewport.width = width;
    viewport.height = height;
    view.SetViewport(viewport);
    CanvasMapView::Clear();
    if (!m_model)
        return;
    std::vector<tagLonLat> points;
    for (size_t link = 0; link < m_model->LinkCount(); ++link)
        points.insert(points.end(), m_model->LinkPoints(link).begin(),
                      m_model->LinkPoints(link).end());
    refhost::FitViewport(points.data(), points.size(), refhost::FitMargins(kOverviewMargin), 18.0,
                         viewport);
    view.SetViewport(viewport);
    m_still->EnableDrawRedLine(true);
    m_still->Draw(true, false);
}

std::string PageSession::DriveFrame(double seconds, int width, int height)
{
    if (!m_model)
        return "null";
    StartDrive(width, height);
    return FrameJson(m_replay->Frame(seconds));
}

std::string PageSession::JumpToManeuver(size_t maneuver, int width, int height)
{
    if (!m_model || maneuver >= m_model->ManeuverCount())
        return "null";
    StartDrive(width, height);
    const drive::ScheduledManeuver& scheduled = m_replay->Schedule().Maneuvers()[maneuver];
    const double junction = m_timeline->TimeAtDistance(scheduled.junction);
    double seconds = std::min(junction, m_timeline->TimeAtDistance(scheduled.announce) +
                                            kAfterAnnouncementSeconds);
    // The camera moves towards the junction frame by frame, as it does when
    // the drive plays.
    for (;;)
    {
        const drive::FrameRecord& frame = m_replay->Frame(seconds);
        if (frame.bandFits || seconds >= junction)
            return FrameJson(frame);
        seconds = std::min(junction, seconds + kJumpStepSeconds);
    }
}

std::string PageSession::FrameJson(const drive::FrameRecord& frame) const
{
    const tools::FrameCaption caption =
        tools::CaptionOfFrame(*m_model, m_replay->Schedule(), frame);
    const refhost::PixelPoint vehicle = refhost::Project(frame.viewport, frame.vehicle.position);
    const nlohmann::json json = {{"time", frame.vehicle.time},
                                 {"distance", frame.vehicle.distance},
                                 {"level", frame.level},
                                 {"next", Number(frame.next)},
                                 {"announced", Number(frame.announced)},
                                 {"bandFits", frame.bandFits},
                                 {"libraryMs", frame.librarySeconds * 1e3},
                                 {"caption",
                                  {{"banner", caption.banner},
                                   {"primary", caption.primary},
                                   {"secondary", caption.secondary},
                                   {"distance", caption.distance}}},
                                 {"vehicle",
                                  {{"x", vehicle.x},
                                   {"y", vehicle.y},
                                   {"heading", frame.vehicle.heading - frame.viewport.bearing}}}};
    return json.dump();
}

void PageSession::DrawManeuverAtLevel(size_t maneuver, int level, int width, int height)
{
    CanvasMapView& view = DefaultCanvasMapView();
    refhost::MapViewport viewport;
    viewport.width = width;
    viewport.height = height;
    if (!m_model || maneuver >= m_model->ManeuverCount())
    {
        view.SetViewport(viewport);
        CanvasMapView::Clear();
        return;
    }
    if (m_stillManeuver != maneuver)
    {
        m_turnPath = TurnHandover(*m_model, m_sizes, maneuver);
        m_still->SetTurnInfo(m_model->TurnInfoFor(maneuver), &m_turnPath);
        m_stillManeuver = maneuver;
    }
    const tagLonLat centre = m_model->ManeuverAt(maneuver).location;
    viewport.centre = centre;
    viewport.zoom = refhost::ZoomForMetresPerPixel(centre.lat, refhost::DesignResolution(level));
    view.SetViewport(viewport);
    CanvasMapView::Clear();
    m_still->EnableDrawRedLine(false);
    m_still->Draw(true, true);
}

} // namespace web
