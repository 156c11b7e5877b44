#include "TurnFraming.h"

#include "MapView/ScaleLevels.h"

#include <algorithm>
#include <cmath>

namespace tools
{

namespace
{

// True when something was drawn and every finite point of it lies inside the
// picture's free area.
bool DrawingsFit(const refhost::RasterMapView& view, double margin, double topReserve)
{
    const refhost::MapViewport& viewport = view.Viewport();
    bool any = false;
    for (const refhost::RasterMapView::Drawing& drawing : view.Drawings())
    {
        for (const tagLonLat& point : drawing.points)
        {
            if (!std::isfinite(point.lon) || !std::isfinite(point.lat))
                continue;
            refhost::PixelPoint pixel = refhost::Project(viewport, point);
            if (pixel.x < margin || pixel.x > viewport.width - margin ||
                pixel.y < margin + topReserve || pixel.y > viewport.height - margin)
                return false;
            any = true;
        }
    }
    return any;
}

} // namespace

TurnFrame FrameTurn(AdvicePathRenderEx& render, refhost::RasterMapView& view,
                    const refhost::MapViewport& base, const tagLonLat& junction, int maxTurnLevel,
                    double margin, double topReserve)
{
    TurnFrame frame;
    frame.viewport = base;
    frame.viewport.centre = junction;
    int lastLevel = std::max(0, maxTurnLevel);
    for (int level = 0; level <= lastLevel; ++level)
    {
        refhost::MapViewport candidate = frame.viewport;
        candidate.zoom =
            refhost::ZoomForMetresPerPixel(junction.lat, refhost::DesignResolution(level));
        if (!view.SetViewport(candidate))
            continue;
        view.Clear();
        render.Draw(false, true);
        bool fits = DrawingsFit(view, margin, topReserve);
        view.Clear();
        if (level == 0 || fits)
        {
            frame.viewport = candidate;
            frame.level = level;
        }
        if (fits)
        {
            frame.bandFits = true;
            break;
        }
    }
    view.SetViewport(frame.viewport);
    return frame;
}

} // namespace tools
