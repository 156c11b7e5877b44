#include "FailurePicture.h"

#include "DrawRecorder.h"
#include "MapView/RasterMapView.h"

namespace survey
{

namespace
{

// The outline width of the arrow head and the opacity of its fill, as the
// tools draw them (the recorder keeps the points only).
constexpr int32_t kOutlineWidth = 2;
constexpr int32_t kOpaque = 100;
constexpr uint32_t kTrackColour = 0x000000FF; // red
// Room around the band, CSS pixels, and the closest zoom a picture takes.
constexpr double kMargin = 24.0;
constexpr double kClosestZoom = 20.0;

void Replay(refhost::RasterMapView& view, const std::vector<DrawnLine>& lines, uint32_t colour)
{
    for (const DrawnLine& line : lines)
        view.DrawLine(line.points.data(), static_cast<int32_t>(line.points.size()), 0, colour,
                      line.width);
}

} // namespace

bool WriteFailurePicture(const FailedFrame& frame, const RouteTrack& track,
                         const std::string& caption, const std::string& problem, bool openStreetMap,
                         bool asShown, const std::string& path, std::string& error)
{
    const AdvicePathClrSetting colours = SurveyColours();
    refhost::RasterMapView view(frame.viewport);
    view.SetBackgroundRoads({track.Points()});
    view.SetCaption(
        caption, problem + (openStreetMap ? " \xC2\xB7 \xC2\xA9 OpenStreetMap contributors" : ""));
    view.SetVehicle(frame.vehicle.position, frame.vehicle.heading);
    const DrawnFrame& drawn = frame.drawn;
    // A band drawn is what a failure of the band, the arrow or the turn is
    // about: the picture frames it (north up); else it shows the frame's own
    // view.
    std::vector<tagLonLat> band;
    for (const DrawnLine& line : drawn.bandFill)
        band.insert(band.end(), line.points.begin(), line.points.end());
    if (drawn.arrowFill)
        band.insert(band.end(), drawn.arrowFill->begin(), drawn.arrowFill->end());
    refhost::FitMargins margins(kMargin);
    margins.top += view.CaptionHeight();
    refhost::MapViewport viewport = frame.viewport;
    if (!asShown && refhost::FitViewport(band.data(), band.size(), margins, kClosestZoom, viewport))
        view.SetViewport(viewport);
    Replay(view, drawn.routeBorder, colours.m_PathBorderClr);
    Replay(view, drawn.routeFill, colours.m_PathClr);
    Replay(view, drawn.bandBorder, colours.m_ArrowBorderClr);
    if (drawn.arrowOutline)
        view.DrawLine(drawn.arrowOutline->data(), 3, kOutlineWidth, colours.m_ArrowBorderClr,
                      static_cast<int32_t>(colours.m_ArrowBorderClr));
    Replay(view, drawn.bandFill, colours.m_ArrowClr);
    if (drawn.arrowFill)
        view.DrawPolygon(drawn.arrowFill->data(), 3, kOpaque, colours.m_ArrowClr,
                         static_cast<int32_t>(colours.m_ArrowClr));
    // The track on top, thin: what the band is measured against.
    view.DrawLine(track.Points().data(), static_cast<int32_t>(track.Points().size()), 0,
                  kTrackColour, 1);
    return view.Write(path, &error);
}

} // namespace survey
