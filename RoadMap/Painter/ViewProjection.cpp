#include "ViewProjection.h"

#include <cmath>

namespace roadmap
{

using refhost::PixelPoint;

ViewProjection::ViewProjection(const RoadMap& map)
{
    const LonLatBox& bounds = map.Bounds();
    if (!bounds.IsEmpty())
        m_reference.centre = {(bounds.west + bounds.east) / 2.0,
                              (bounds.south + bounds.north) / 2.0};
    m_reference.zoom = 0.0;
    m_reference.bearing = 0.0;
    const tagLonLat* points = map.PointsOf(PointSpan{0, 0});
    m_points.reserve(map.PointCount());
    for (std::size_t i = 0; i < map.PointCount(); ++i)
        m_points.push_back(refhost::Project(m_reference, points[i]));
}

ViewProjection::Transform ViewProjection::TransformOf(const refhost::MapViewport& viewport) const
{
    // Three ground points near the view's centre, on both views; the
    // transform maps the first view's triangle onto the second's.
    const tagLonLat origin = viewport.centre;
    const tagLonLat east{origin.lon + 0.01, origin.lat};
    const tagLonLat north{origin.lon, origin.lat + (origin.lat > 0.0 ? -0.01 : 0.01)};
    const PixelPoint w0 = refhost::Project(m_reference, origin);
    const PixelPoint w1 = refhost::Project(m_reference, east);
    const PixelPoint w2 = refhost::Project(m_reference, north);
    const PixelPoint p0 = refhost::Project(viewport, origin);
    const PixelPoint p1 = refhost::Project(viewport, east);
    const PixelPoint p2 = refhost::Project(viewport, north);
    // [p1 - p0, p2 - p0] = M [w1 - w0, w2 - w0]
    const double ax = w1.x - w0.x;
    const double ay = w1.y - w0.y;
    const double bx = w2.x - w0.x;
    const double by = w2.y - w0.y;
    const double determinant = ax * by - bx * ay;
    const double ix[2] = {by / determinant, -bx / determinant};
    const double iy[2] = {-ay / determinant, ax / determinant};
    Transform t{};
    t.xx = (p1.x - p0.x) * ix[0] + (p2.x - p0.x) * iy[0];
    t.xy = (p1.x - p0.x) * ix[1] + (p2.x - p0.x) * iy[1];
    t.yx = (p1.y - p0.y) * ix[0] + (p2.y - p0.y) * iy[0];
    t.yy = (p1.y - p0.y) * ix[1] + (p2.y - p0.y) * iy[1];
    t.dx = p0.x - (t.xx * w0.x + t.xy * w0.y);
    t.dy = p0.y - (t.yx * w0.x + t.yy * w0.y);
    return t;
}

refhost::mapview::PixelLine ViewProjection::Project(const PointSpan& span, const Transform& t,
                                                    double minStep) const
{
    refhost::mapview::PixelLine line;
    line.reserve(span.count);
    for (uint32_t i = 0; i < span.count; ++i)
    {
        const PixelPoint& w = m_points[span.first + i];
        const PixelPoint p{t.xx * w.x + t.xy * w.y + t.dx, t.yx * w.x + t.yy * w.y + t.dy};
        if (!line.empty() && i + 1 < span.count && std::fabs(p.x - line.back().x) < minStep &&
            std::fabs(p.y - line.back().y) < minStep)
            continue;
        line.push_back(p);
    }
    return line;
}

} // namespace roadmap
