// The turn arrow head at the end of the junction band's last edge.
#include "CrossPathEdges.h"

#include "../Geometry/DirTables.h"
#include "../Host/Geodesy.h"

#include <math.h>

namespace
{
// A quarter turn counter-clockwise in quarter degrees: from the direction of
// travel to its left side (north up).
const unsigned short kQuarterTurn = 360;

// Walks back from the tip (the end of `edge`) to where the road first lies
// `arrowLength` from the tip in a straight line, removing every point nearer
// than that, and puts that place of the road into `base`: the arrow's base
// lies there, on the road, so the band ends on the road and the arrow's axis
// is the road's chord over the arrow, however the road bends under it. A
// road that never gets that far from the tip (a cut piece shorter than the
// arrow) keeps only its first point, which `base` then is, and the answer is
// false. Distances are measured in the plane of the length unit at the tip
// (`unitLon`, `unitLat`: degrees per unit there).
bool CutBackToArrowBase(CPathEdge& edge, const tagLonLat& tip, double arrowLength, double unitLon,
                        double unitLat, tagLonLat& base)
{
    const double reach = arrowLength * arrowLength;
    for (int n = edge.m_Count - 1; n >= 1; --n)
    {
        const tagLonLat near = edge.GetPoint(n);
        const tagLonLat far = edge.GetPoint(n - 1);
        const double ax = (near.lon - tip.lon) / unitLon;
        const double ay = (near.lat - tip.lat) / unitLat;
        const double dx = (far.lon - near.lon) / unitLon;
        const double dy = (far.lat - near.lat) / unitLat;
        const double farX = ax + dx;
        const double farY = ay + dy;
        edge.RemoveLast();
        if (farX * farX + farY * farY <= reach)
            continue;
        // The segment from `near` (within reach) to `far` (beyond it) leaves
        // the circle of the arrow's length once: |a + t d| = arrowLength.
        const double a = dx * dx + dy * dy;
        const double b = ax * dx + ay * dy;
        const double c = ax * ax + ay * ay - reach;
        const double t = (-b + sqrt(b * b - a * c)) / a;
        base.lon = near.lon + t * (far.lon - near.lon);
        base.lat = near.lat + t * (far.lat - near.lat);
        return true;
    }
    base = edge.GetPoint(0);
    return false;
}
} // namespace

int CCrossPathEdges::GenerateArrowHead(tagLonLat* out, int capacity, double arrowLength,
                                       double arrowWidth)
{
    if (out == nullptr || capacity <= 2 || m_EdgeVec.Size() < 2)
        return -1;
    CPathEdge* edge = m_EdgeVec.GetAt(m_EdgeVec.Size() - 1);
    if (edge == nullptr || edge->m_Count < 2)
        return -1;

    // A whole road shorter than the arrow cannot hold it: the arrow goes
    // beyond the road's end. Otherwise the road is cut back to the arrow's
    // base and the tip is the road's end.
    const bool outside = edge->m_isWhole && edge->m_Length < arrowLength;
    const tagLonLat tip = edge->GetPoint(edge->m_Count - 1);
    double unitLon = 0.0;
    double unitLat = 0.0;
    GetUnitDegree(tip, unitLon, unitLat);
    tagLonLat from = edge->GetPoint(edge->m_Count - 2);
    const bool onRoad =
        !outside && CutBackToArrowBase(*edge, tip, arrowLength, unitLon, unitLat, from);

    // Longitudes scaled so that a length unit is equally long on both axes:
    // the direction is then the true bearing of travel into the tip.
    const double scale = unitLat / unitLon;
    const unsigned short dir = GetDirection(from.lon * scale, from.lat, tip.lon * scale, tip.lat);
    const double stepLon = DirCos(dir) * unitLon;
    const double stepLat = DirSin(dir) * unitLat;
    const unsigned short side = static_cast<unsigned short>(dir + kQuarterTurn);
    const double wingLon = (DirCos(side) * unitLon) * arrowWidth;
    const double wingLat = (DirSin(side) * unitLat) * arrowWidth;

    if (outside)
    {
        out[0].lon = stepLon * arrowLength + tip.lon;
        out[0].lat = stepLat * arrowLength + tip.lat;
        out[1].lon = tip.lon - wingLon;
        out[1].lat = tip.lat - wingLat;
        out[2].lon = wingLon + tip.lon;
        out[2].lat = wingLat + tip.lat;
        return 0;
    }

    tagLonLat base;
    base.lon = tip.lon - stepLon * arrowLength;
    base.lat = tip.lat - stepLat * arrowLength;
    out[0] = tip;
    out[1].lon = base.lon - wingLon;
    out[1].lat = base.lat - wingLat;
    out[2].lon = base.lon + wingLon;
    out[2].lat = base.lat + wingLat;
    // The band ends where the road meets the arrow's base: the base's middle
    // lies within the quarter-degree direction's stray of it. Without that
    // point (out of memory) the band ends a little short of the arrow; the
    // arrow itself is complete.
    edge->AddPoint(onRoad ? from : base);
    return 0;
}
