#include "CanvasMapView.h"

#include "MapView/PixelClip.h"
#include "MapView/ScaleLevels.h"

#include <emscripten.h>

#include <algorithm>
#include <cmath>

namespace
{

// clang-format off
// The page's CanvasMapView.js draws on its current context.
EM_JS(void, CanvasClear, (), { Module.canvasMapView.clear(); });
EM_JS(void, CanvasStroke, (const float* xy, int count, unsigned colour, double width), {
    Module.canvasMapView.stroke(HEAPF32.subarray(xy >> 2, (xy >> 2) + 2 * count), colour, width);
});
EM_JS(void, CanvasFill, (const float* xy, int count, unsigned colour, double opacity), {
    Module.canvasMapView.fill(HEAPF32.subarray(xy >> 2, (xy >> 2) + 2 * count), colour, opacity);
});
// clang-format on

// Far-off points are cut at a box this much larger than the canvas (plus the
// line's width), as the reference map view does: nothing inside changes.
constexpr double kClipMargin = 64.0;

refhost::mapview::ClipBox BoxAround(const refhost::MapViewport& viewport, double lineWidth)
{
    const double margin = kClipMargin + lineWidth;
    return {-margin, -margin, viewport.width + margin, viewport.height + margin};
}

refhost::mapview::PixelLine Projected(const refhost::MapViewport& viewport, const tagLonLat* points,
                                      int32_t count)
{
    refhost::mapview::PixelLine line;
    line.reserve(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i)
    {
        const refhost::PixelPoint p = refhost::Project(viewport, points[i]);
        if (std::isfinite(p.x) && std::isfinite(p.y))
            line.push_back(p);
    }
    return line;
}

} // namespace

namespace web
{

void CanvasMapView::Clear()
{
    CanvasClear();
}

int CanvasMapView::DrawLine(const tagLonLat* points, int32_t count, int32_t third, uint32_t colour,
                            int32_t fifth)
{
    if (points == nullptr || count <= 0)
        return 1;
    const bool outline = third != 0;
    const double width = std::max(0, outline ? third : fifth);
    refhost::mapview::PixelLine line = Projected(m_viewport, points, count);
    // The outline comes open; its closing edge is drawn as one more segment,
    // and round joins make the corner where it meets the start.
    if (outline && !line.empty())
        line.push_back(line.front());
    for (const refhost::mapview::PixelLine& piece :
         refhost::mapview::ClipPolyline(line, BoxAround(m_viewport, width)))
    {
        m_pixels.clear();
        for (const refhost::PixelPoint& p : piece)
        {
            m_pixels.push_back(static_cast<float>(p.x));
            m_pixels.push_back(static_cast<float>(p.y));
        }
        CanvasStroke(m_pixels.data(), static_cast<int>(piece.size()), colour, width);
    }
    return 1;
}

int CanvasMapView::DrawPolygon(const tagLonLat* points, int32_t count, int32_t third,
                               uint32_t colour, int32_t /*fifth*/)
{
    if (points == nullptr || count < 3)
        return 1;
    const refhost::mapview::PixelLine ring = refhost::mapview::ClipPolygon(
        Projected(m_viewport, points, count), BoxAround(m_viewport, 0.0));
    if (ring.size() < 3)
        return 1;
    m_pixels.clear();
    for (const refhost::PixelPoint& p : ring)
    {
        m_pixels.push_back(static_cast<float>(p.x));
        m_pixels.push_back(static_cast<float>(p.y));
    }
    // As the reference map view reads the fill parameter: 1 to 99 percent,
    // anything else opaque.
    const double opacity = third >= 1 && third <= 99 ? third / 100.0 : 1.0;
    CanvasFill(m_pixels.data(), static_cast<int>(ring.size()), colour, opacity);
    return 1;
}

CanvasMapView& DefaultCanvasMapView()
{
    static CanvasMapView view;
    return view;
}

int64_t CanvasMapView::GetScale()
{
    return refhost::ScaleOfViewport(m_viewport);
}

int32_t CanvasMapView::ScaleToLevel(int64_t scale)
{
    return refhost::LevelOfScale(scale);
}

} // namespace web

CMapService* CMapCreate::GetMapService(void* /*context*/)
{
    return &web::DefaultCanvasMapView();
}
