// The pixel positions of a road map's points in one picture, fast: every
// point is projected once, onto a reference view, and each picture maps those
// positions to its own pixels by an affine transform. That is exact, not an
// approximation: two Web Mercator views of the same ground differ only by a
// scale, a turn and a shift.
#ifndef ROADMAP_PAINTER_VIEWPROJECTION_H
#define ROADMAP_PAINTER_VIEWPROJECTION_H

#include "MapView/PixelClip.h"
#include "MapView/WebMercator.h"
#include "RoadMap/RoadMap.h"

#include <vector>

namespace roadmap
{

class ViewProjection
{
public:
    // Projects every point of `map` onto the reference view (centred on the
    // map, so that longitudes unwrap as in any view of it).
    explicit ViewProjection(const RoadMap& map);

    // From the reference view to one picture's pixels:
    // (xx * x + xy * y + dx, yx * x + yy * y + dy).
    struct Transform
    {
        double xx, xy, yx, yy, dx, dy;
    };

    // The transform of `viewport`.
    Transform TransformOf(const refhost::MapViewport& viewport) const;

    // The points of `span` in pixels of the view of `transform`, leaving out
    // each point (but the last) closer than `minStep` pixels on both axes to
    // the point kept before it.
    refhost::mapview::PixelLine Project(const PointSpan& span, const Transform& transform,
                                        double minStep) const;

private:
    refhost::MapViewport m_reference;
    std::vector<refhost::PixelPoint> m_points; // on the reference view
};

} // namespace roadmap

#endif
