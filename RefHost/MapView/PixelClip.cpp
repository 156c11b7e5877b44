#include "PixelClip.h"

namespace refhost::mapview
{

namespace
{

// Liang-Barsky: cuts the segment a-b to `box`. False when nothing of it is
// inside; otherwise the parameters 0 <= t0 <= t1 <= 1 of the part inside.
bool ClipSegment(const PixelPoint& a, const PixelPoint& b, const ClipBox& box, double& t0,
                 double& t1)
{
    double dx = b.x - a.x;
    double dy = b.y - a.y;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x - box.minX, box.maxX - a.x, a.y - box.minY, box.maxY - a.y};
    t0 = 0.0;
    t1 = 1.0;
    for (int i = 0; i < 4; ++i)
    {
        if (p[i] == 0.0)
        {
            if (q[i] < 0.0)
                return false; // parallel to this edge and outside it
            continue;
        }
        double t = q[i] / p[i];
        if (p[i] < 0.0)
        {
            if (t > t1)
                return false;
            if (t > t0)
                t0 = t;
        }
        else
        {
            if (t < t0)
                return false;
            if (t < t1)
                t1 = t;
        }
    }
    return true;
}

PixelPoint Along(const PixelPoint& a, const PixelPoint& b, double t)
{
    if (t <= 0.0)
        return a;
    if (t >= 1.0)
        return b;
    return PixelPoint{a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
}

// One edge of the box as a half-plane for Sutherland-Hodgman.
enum class Side
{
    Left,
    Right,
    Top,
    Bottom,
};

bool Inside(const PixelPoint& p, Side side, const ClipBox& box)
{
    switch (side)
    {
    case Side::Left:
        return p.x >= box.minX;
    case Side::Right:
        return p.x <= box.maxX;
    case Side::Top:
        return p.y >= box.minY;
    case Side::Bottom:
        return p.y <= box.maxY;
    }
    return true;
}

PixelPoint Crossing(const PixelPoint& a, const PixelPoint& b, Side side, const ClipBox& box)
{
    double t = 0.0;
    switch (side)
    {
    case Side::Left:
        t = (box.minX - a.x) / (b.x - a.x);
        return PixelPoint{box.minX, a.y + (b.y - a.y) * t};
    case Side::Right:
        t = (box.maxX - a.x) / (b.x - a.x);
        return PixelPoint{box.maxX, a.y + (b.y - a.y) * t};
    case Side::Top:
        t = (box.minY - a.y) / (b.y - a.y);
        return PixelPoint{a.x + (b.x - a.x) * t, box.minY};
    case Side::Bottom:
        t = (box.maxY - a.y) / (b.y - a.y);
        return PixelPoint{a.x + (b.x - a.x) * t, box.maxY};
    }
    return a;
}

PixelLine ClipToSide(const PixelLine& ring, Side side, const ClipBox& box)
{
    PixelLine out;
    if (ring.empty())
        return out;
    PixelPoint previous = ring.back();
    bool previousInside = Inside(previous, side, box);
    for (const PixelPoint& current : ring)
    {
        bool currentInside = Inside(current, side, box);
        if (currentInside != previousInside)
            out.push_back(Crossing(previous, current, side, box));
        if (currentInside)
            out.push_back(current);
        previous = current;
        previousInside = currentInside;
    }
    return out;
}

} // namespace

std::vector<PixelLine> ClipPolyline(const PixelLine& line, const ClipBox& box)
{
    std::vector<PixelLine> pieces;
    if (line.size() == 1)
    {
        if (box.Contains(line[0]))
            pieces.push_back(line);
        return pieces;
    }
    // Whether the last piece ends at the end point of the previous segment,
    // so that the next segment continues it.
    bool open = false;
    for (std::size_t i = 0; i + 1 < line.size(); ++i)
    {
        const PixelPoint& a = line[i];
        const PixelPoint& b = line[i + 1];
        double t0 = 0.0;
        double t1 = 1.0;
        if (!ClipSegment(a, b, box, t0, t1))
        {
            open = false;
            continue;
        }
        if (!(open && t0 <= 0.0))
            pieces.push_back(PixelLine{Along(a, b, t0)});
        pieces.back().push_back(Along(a, b, t1));
        open = t1 >= 1.0;
    }
    return pieces;
}

PixelLine ClipPolygon(const PixelLine& ring, const ClipBox& box)
{
    PixelLine clipped = ring;
    for (Side side : {Side::Left, Side::Right, Side::Top, Side::Bottom})
        clipped = ClipToSide(clipped, side, box);
    return clipped;
}

} // namespace refhost::mapview
