// Clipping of projected geometry to a box around the image, so that Cairo's
// fixed-point coordinates (24.8 bits) never see a point far outside it: a
// route drawn at street level can reach millions of pixels beyond the edge.
// The box is larger than the image by more than the widest line, so nothing
// inside the image changes.
#ifndef REFHOST_MAPVIEW_PIXELCLIP_H
#define REFHOST_MAPVIEW_PIXELCLIP_H

#include "WebMercator.h"

#include <vector>

namespace refhost::mapview
{

struct ClipBox
{
    double minX;
    double minY;
    double maxX;
    double maxY;

    bool Contains(const PixelPoint& point) const
    {
        return point.x >= minX && point.x <= maxX && point.y >= minY && point.y <= maxY;
    }
};

using PixelLine = std::vector<PixelPoint>;

// The parts of the polyline `line` (finite points) inside `box`, each a
// polyline of its own, in the order of the line. A single point inside the box
// is a piece of one point; a segment cut by the box ends on the box's edge.
std::vector<PixelLine> ClipPolyline(const PixelLine& line, const ClipBox& box);

// The polygon `ring` (finite points, implicitly closed) cut to `box`
// (Sutherland-Hodgman): what lies inside the box fills exactly as before.
// Empty when nothing of it is inside.
PixelLine ClipPolygon(const PixelLine& ring, const ClipBox& box);

} // namespace refhost::mapview

#endif
