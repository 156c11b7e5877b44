#include "LonLatBox.h"

#include "Geodesy/ReferenceGeodesy.h"

#include <algorithm>
#include <cmath>

namespace roadmap
{

namespace
{

// Liang-Barsky: whether the segment a-b has a point inside `box`.
bool SegmentTouches(const tagLonLat& a, const tagLonLat& b, const LonLatBox& box)
{
    double enter = 0.0;
    double leave = 1.0;
    const double dx = b.lon - a.lon;
    const double dy = b.lat - a.lat;
    // Each pair: the direction's component and the distance to one edge; the
    // segment is inside where p * t <= q for all four.
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.lon - box.west, box.east - a.lon, a.lat - box.south, box.north - a.lat};
    for (int edge = 0; edge < 4; ++edge)
    {
        if (p[edge] == 0.0)
        {
            if (q[edge] < 0.0)
                return false; // parallel to this edge and outside it
            continue;
        }
        const double t = q[edge] / p[edge];
        if (p[edge] < 0.0)
            enter = std::max(enter, t);
        else
            leave = std::min(leave, t);
        if (enter > leave)
            return false;
    }
    return true;
}

// Even-odd crossing test of `point` against one closed ring.
bool CrossesOdd(const std::vector<tagLonLat>& ring, const tagLonLat& point)
{
    bool inside = false;
    const std::size_t n = ring.size();
    for (std::size_t i = 0, j = n - 1; i < n; j = i++)
    {
        const tagLonLat& a = ring[i];
        const tagLonLat& b = ring[j];
        if ((a.lat > point.lat) != (b.lat > point.lat))
        {
            const double lonAtLat = a.lon + (point.lat - a.lat) * (b.lon - a.lon) / (b.lat - a.lat);
            if (point.lon < lonAtLat)
                inside = !inside;
        }
    }
    return inside;
}

} // namespace

void LonLatBox::Extend(const tagLonLat& point)
{
    if (IsEmpty())
    {
        west = east = point.lon;
        south = north = point.lat;
        return;
    }
    west = std::min(west, point.lon);
    east = std::max(east, point.lon);
    south = std::min(south, point.lat);
    north = std::max(north, point.lat);
}

void LonLatBox::Extend(const LonLatBox& other)
{
    if (other.IsEmpty())
        return;
    Extend(tagLonLat{other.west, other.south});
    Extend(tagLonLat{other.east, other.north});
}

LonLatBox BoxOf(const tagLonLat* points, std::size_t count)
{
    LonLatBox box;
    for (std::size_t i = 0; i < count; ++i)
        box.Extend(points[i]);
    return box;
}

LonLatBox Expanded(const LonLatBox& box, double metres)
{
    if (box.IsEmpty())
        return box;
    const double polewardLat = std::max(std::fabs(box.south), std::fabs(box.north));
    double lonPerMetre = 0.0;
    double latPerMetre = 0.0;
    refhost::geodesy::UnitDegree(tagLonLat{box.west, std::min(polewardLat, 89.0)}, lonPerMetre,
                                 latPerMetre);
    LonLatBox grown = box;
    grown.west = std::max(-180.0, box.west - metres * lonPerMetre);
    grown.east = std::min(180.0, box.east + metres * lonPerMetre);
    grown.south = std::max(-90.0, box.south - metres * latPerMetre);
    grown.north = std::min(90.0, box.north + metres * latPerMetre);
    return grown;
}

bool LineTouches(const tagLonLat* points, std::size_t count, const LonLatBox& box)
{
    if (count == 0 || box.IsEmpty())
        return false;
    if (count == 1)
        return box.Contains(points[0]);
    for (std::size_t i = 1; i < count; ++i)
        if (SegmentTouches(points[i - 1], points[i], box))
            return true;
    return false;
}

bool AreaTouches(const std::vector<std::vector<tagLonLat>>& rings, const LonLatBox& box)
{
    if (box.IsEmpty())
        return false;
    bool centreInside = false;
    const tagLonLat centre{(box.west + box.east) / 2.0, (box.south + box.north) / 2.0};
    for (const std::vector<tagLonLat>& ring : rings)
    {
        if (ring.empty())
            continue;
        if (LineTouches(ring.data(), ring.size(), box) ||
            SegmentTouches(ring.back(), ring.front(), box))
            return true;
        if (CrossesOdd(ring, centre))
            centreInside = !centreInside;
    }
    return centreInside;
}

} // namespace roadmap
