// The turn arrow head at the end of the junction band's last edge.
#include "CrossPathEdges.h"

#include "../Geometry/DirTables.h"
#include "../Host/Geodesy.h"

namespace
{
// A quarter turn counter-clockwise in quarter degrees: from the direction of
// travel to its left side (north up).
const unsigned short kQuarterTurn = 360;

// Walks back from the end of `edge`, removing the end point of every segment
// it measures, and stops after the segment on which the walked length first
// exceeds `arrowLength` (or at the first point). The edge then ends at the
// start of that segment: the point the arrow's axis is aimed from.
void CutBackForArrow(CPathEdge& edge, double arrowLength)
{
    double total = 0.0;
    for (int n = edge.m_Count - 1; n >= 1; --n)
    {
        total = SegmentLength(edge.GetPoint(n - 1), edge.GetPoint(n)) + total;
        edge.RemoveLast();
        if (total > arrowLength)
            break;
    }
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
    tagLonLat from;
    tagLonLat tip;
    if (outside)
    {
        from = edge->GetPoint(edge->m_Count - 2);
        tip = edge->GetPoint(edge->m_Count - 1);
    }
    else
    {
        tip = edge->GetPoint(edge->m_Count - 1);
        CutBackForArrow(*edge, arrowLength);
        from = edge->GetPoint(edge->m_Count - 1);
    }

    // Longitudes scaled so that a length unit is equally long on both axes:
    // the direction is then the true bearing of travel into the tip.
    double unitLon = 0.0;
    double unitLat = 0.0;
    GetUnitDegree(tip, unitLon, unitLat);
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
    // Without the base point (out of memory) the band ends a little short of
    // the arrow; the arrow itself is complete.
    edge->AddPoint(base);
    return 0;
}
