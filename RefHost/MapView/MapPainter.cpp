#include "MapPainter.h"

#include "PixelClip.h"

#include <cmath>

namespace refhost::mapview
{

namespace
{

// How far beyond the image edge geometry is kept, CSS pixels, on top of the
// line width: enough that a clipped line's cut ends, caps and joins all lie
// outside the image.
constexpr double kClipMargin = 64.0;

ClipBox BoxAround(const MapViewport& viewport, double lineWidth)
{
    double margin = kClipMargin + lineWidth;
    return ClipBox{-margin, -margin, viewport.width + margin, viewport.height + margin};
}

bool IsFinite(const tagLonLat& point)
{
    return std::isfinite(point.lon) && std::isfinite(point.lat);
}

// The finite points projected, non-finite ones left out.
PixelLine ProjectFinite(const MapViewport& viewport, const std::vector<tagLonLat>& points)
{
    PixelLine line;
    line.reserve(points.size());
    for (const tagLonLat& point : points)
        if (IsFinite(point))
            line.push_back(Project(viewport, point));
    return line;
}

// The runs of finite points, each projected: a non-finite point ends a run.
std::vector<PixelLine> ProjectRuns(const MapViewport& viewport,
                                   const std::vector<tagLonLat>& points)
{
    std::vector<PixelLine> runs(1);
    for (const tagLonLat& point : points)
    {
        if (IsFinite(point))
            runs.back().push_back(Project(viewport, point));
        else if (!runs.back().empty())
            runs.emplace_back();
    }
    if (runs.back().empty())
        runs.pop_back();
    return runs;
}

// Adds `piece` as a sub-path; a single point becomes a zero-length segment,
// which round caps turn into a dot.
bool AppendPiece(cairo_t* cr, const PixelLine& piece)
{
    if (piece.empty())
        return false;
    cairo_move_to(cr, piece[0].x, piece[0].y);
    if (piece.size() == 1)
        cairo_line_to(cr, piece[0].x, piece[0].y);
    for (std::size_t i = 1; i < piece.size(); ++i)
        cairo_line_to(cr, piece[i].x, piece[i].y);
    return true;
}

bool AppendLine(cairo_t* cr, const MapViewport& viewport, const RasterMapView::Drawing& drawing)
{
    ClipBox box = BoxAround(viewport, drawing.width);
    bool any = false;
    for (const PixelLine& run : ProjectRuns(viewport, drawing.points))
        for (const PixelLine& piece : ClipPolyline(run, box))
            any = AppendPiece(cr, piece) || any;
    return any;
}

bool AppendOutline(cairo_t* cr, const MapViewport& viewport, const RasterMapView::Drawing& drawing)
{
    ClipBox box = BoxAround(viewport, drawing.width);
    PixelLine ring = ProjectFinite(viewport, drawing.points);
    if (ring.empty())
        return false;
    bool allInside = true;
    for (const PixelPoint& point : ring)
        allInside = allInside && box.Contains(point);
    if (allInside)
    {
        AppendPiece(cr, ring);
        cairo_close_path(cr);
        return true;
    }
    // Cut by the box: the ring's parts near the image as open pieces, the
    // closing edge included; their joins at the cuts lie outside the image.
    ring.push_back(ring.front());
    bool any = false;
    for (const PixelLine& piece : ClipPolyline(ring, box))
        any = AppendPiece(cr, piece) || any;
    return any;
}

bool AppendPolygon(cairo_t* cr, const MapViewport& viewport, const RasterMapView::Drawing& drawing)
{
    PixelLine ring = ClipPolygon(ProjectFinite(viewport, drawing.points), BoxAround(viewport, 0.0));
    if (ring.empty())
        return false;
    AppendPiece(cr, ring);
    cairo_close_path(cr);
    return true;
}

} // namespace

void SetSourceColour(cairo_t* cr, uint32_t colour, double opacity)
{
    double red = (colour & 0xFFu) / 255.0;
    double green = ((colour >> 8) & 0xFFu) / 255.0;
    double blue = ((colour >> 16) & 0xFFu) / 255.0;
    cairo_set_source_rgba(cr, red, green, blue, opacity);
}

// Strokes the current path `width` pixels wide with round caps and joins: the
// cased roads and the arrow outline alike.
static void StrokeRound(cairo_t* cr, double width)
{
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
}

void PaintDrawing(cairo_t* cr, const MapViewport& viewport, const RasterMapView::Drawing& drawing)
{
    cairo_new_path(cr);
    SetSourceColour(cr, drawing.colour, drawing.opacity);
    switch (drawing.kind)
    {
    case RasterMapView::Drawing::Kind::Line:
        if (AppendLine(cr, viewport, drawing))
            StrokeRound(cr, drawing.width);
        return;
    case RasterMapView::Drawing::Kind::Outline:
        if (AppendOutline(cr, viewport, drawing))
            StrokeRound(cr, drawing.width);
        return;
    case RasterMapView::Drawing::Kind::Polygon:
        if (!AppendPolygon(cr, viewport, drawing))
            return;
        cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
        cairo_fill(cr);
        return;
    }
}

} // namespace refhost::mapview
