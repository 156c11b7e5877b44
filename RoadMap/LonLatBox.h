// A box of longitudes and latitudes, and the tests that decide whether a road,
// a river or an area touches it. Degrees throughout; boxes never cross the
// 180th meridian (a road map covers a region, not the whole world).
#ifndef ROADMAP_LONLATBOX_H
#define ROADMAP_LONLATBOX_H

#include "LonLat.h"

#include <cstddef>
#include <vector>

namespace roadmap
{

struct LonLatBox
{
    // An empty box: Extend makes it the box of the first point.
    double west = 1.0;
    double south = 1.0;
    double east = -1.0;
    double north = -1.0;

    // The whole world: what a reader keeps everything within.
    static LonLatBox World() { return {-180.0, -90.0, 180.0, 90.0}; }

    bool IsEmpty() const { return west > east || south > north; }
    bool Contains(const tagLonLat& point) const
    {
        return point.lon >= west && point.lon <= east && point.lat >= south && point.lat <= north;
    }
    bool Intersects(const LonLatBox& other) const
    {
        return !IsEmpty() && !other.IsEmpty() && west <= other.east && other.west <= east &&
               south <= other.north && other.south <= north;
    }
    void Extend(const tagLonLat& point);
    void Extend(const LonLatBox& other);
};

// The box of `count` points (empty for none).
LonLatBox BoxOf(const tagLonLat* points, std::size_t count);

// `box` grown by `metres` on every side (the degrees a metre spans taken at
// the box's edge nearer a pole, so the margin is at least `metres`
// everywhere), clamped to the world. An empty box stays empty.
LonLatBox Expanded(const LonLatBox& box, double metres);

// True when the polyline through `count` points has a point inside `box` or a
// segment crossing it.
bool LineTouches(const tagLonLat* points, std::size_t count, const LonLatBox& box);

// True when the area bounded by `rings` (each closed, its last point joined to
// its first; islands and holes by the even-odd rule) and `box` share a point:
// a ring touches the box, or else the box lies wholly inside the area or
// wholly outside it, and its centre tells which.
bool AreaTouches(const std::vector<std::vector<tagLonLat>>& rings, const LonLatBox& box);

} // namespace roadmap

#endif
