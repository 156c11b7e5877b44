// The cutting walks of CPathEdge and the cut builds that use them.
#include "../Edges/PathEdge.h"
#include "../Host/Geodesy.h"
#include "PointOps.h"

int CPathEdge::TrimFromStart(const tagLonLat* pts, int count, double length)
{
    if (count < 2 || pts == nullptr)
        return -1;
    double total = 0.0;
    if (!AddPoint(pts[0]))
        return -1;
    for (int i = 0; i <= count - 2; ++i)
    {
        double seg = SegmentLength(pts[i].lon, pts[i].lat, pts[i + 1].lon, pts[i + 1].lat);
        total = seg + total;
        if (total <= length)
        {
            if (!AddPoint(pts[i + 1]))
            {
                m_Count = 0;
                return -1;
            }
            continue;
        }
        // The cut lies on this segment, at what is left of the length.
        tagLonLat cut = GetPointAtDistance(pts[i], pts[i + 1], seg - (total - length));
        if (!IsValidPoint(cut) || !AddPoint(cut))
        {
            m_Count = 0;
            return -1;
        }
        return i + 1;
    }
    // Too short: the points appended so far stay, the caller drops the edge.
    return -1;
}

int CPathEdge::TrimFromEnd(const tagLonLat* pts, int count, double length)
{
    if (count < 2 || pts == nullptr)
        return -1;
    double total = 0.0;
    if (!AddPoint(pts[count - 1]))
        return -1;
    for (int n = count - 1; n >= 1; --n)
    {
        double seg = SegmentLength(pts[n].lon, pts[n].lat, pts[n - 1].lon, pts[n - 1].lat);
        total = seg + total;
        if (total < length)
        {
            if (!AddPoint(pts[n - 1]))
            {
                m_Count = 0;
                return -1;
            }
            continue;
        }
        tagLonLat end;
        if (total == length)
        {
            end = pts[n - 1];
        }
        else
        {
            end = GetPointAtDistance(pts[n], pts[n - 1], seg - (total - length));
            if (!IsValidPoint(end))
            {
                m_Count = 0;
                return -1;
            }
        }
        if (!AddPoint(end))
        {
            m_Count = 0;
            return -1;
        }
        // Collected last point first: turn it into the polyline's own order.
        Reverse(0, -1);
        return count - n + 1;
    }
    // Too short: the points appended so far stay, last point first.
    return -1;
}

int CPathEdge::TrimGuide(const PathGuid& guide, double length, bool fromStart, bool first)
{
    const tagLonLat* points = first ? guide.mp_FirstPoints : guide.mp_SecondPoints;
    int count = first ? guide.m_FirstCount : guide.m_SecondCount;
    if (points == nullptr)
        return 0;
    SetGuideAttributes(guide, first);
    OwnPoints();
    int kept =
        fromStart ? TrimFromStart(points, count, length) : TrimFromEnd(points, count, length);
    if (kept < 0)
        return 0;
    // m_Length keeps the length of the whole record.
    m_isWhole = false;
    return 1;
}

int CPathEdge::TrimEdge(const CPathEdge& source, double length, bool fromStart)
{
    if (source.mp_Points == nullptr)
        return 0;
    CopyAttributes(source);
    OwnPoints();
    int kept = fromStart ? TrimFromStart(source.mp_Points, source.m_Count, length)
                         : TrimFromEnd(source.mp_Points, source.m_Count, length);
    if (kept < 0)
        return 0;
    m_isWhole = false;
    return 1;
}
