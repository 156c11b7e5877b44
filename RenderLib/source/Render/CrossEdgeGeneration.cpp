// Cutting the junction band at every drawing: the entering stretch, the guides
// through the junction and the leaving stretch, in path order.
#include "CrossPathEdges.h"

#include "../Geometry/PointOps.h"
#include "GuideWalk.h"
#include "LogTable.h"

#include <string.h>

namespace
{
// Appends the entering edges from the junction backwards until their running
// total reaches fromLength (within tolerance); the edge that overshoots is cut
// to the length still missing, keeping its end at the junction side. 0, or -1
// when an Append fails.
int AppendEnteringStretch(CPathEdgeVec& out, const CPathEdgeVec& fromEdges, double fromLength,
                          double tolerance)
{
    double total = 0.0;
    const int count = fromEdges.Size();
    for (int k = 0; k < count; ++k)
    {
        const CPathEdge* edge = fromEdges.GetAt(k);
        if (edge == nullptr)
            continue;
        total = edge->m_Length + total;
        if (fromLength - tolerance <= total && total <= fromLength + tolerance)
            return out.Append(*edge);
        if (total > fromLength + tolerance)
            return out.Append(*edge, edge->m_Length + fromLength - total, false);
        if (out.Append(*edge) < 0)
            return -1;
    }
    return 0; // shorter than asked: all entering edges, whole
}

// Whether two guide records are one guide: one point array and one head.
// Another guide may end where the entering guide ends: a route round the
// whole of a roundabout leaves it where it came in.
bool SameGuide(const PathGuid& a, const PathGuid& b)
{
    return !PointsDiffer(a.m_GuidePoint, b.m_GuidePoint) && a.mp_FirstPoints == b.mp_FirstPoints &&
           a.m_FirstCount == b.m_FirstCount &&
           memcmp(a.m_FirstHead, b.m_FirstHead, sizeof a.m_FirstHead) == 0;
}

// Appends the guides after `enter` up to and including the one whose guide
// point equals `exit`'s. 0, or -1 when an Append fails or the path ends (or
// the walk's bound is reached) first.
int AppendGuidesBetween(CPathEdgeVec& out, CPath& path, const PathGuid& enter, const PathGuid& exit)
{
    if (SameGuide(enter, exit))
        return 0; // the route enters and leaves on one guide
    PathGuid working = enter;
    int steps = 0;
    if (!AdvanceGuide(path, working, steps))
        return -1;
    for (;;)
    {
        if (out.Append(working, true, true) < 0)
            return -1;
        if (PointsEqual(working.m_GuidePoint, exit.m_GuidePoint))
            return 0;
        if (!AdvanceGuide(path, working, steps))
            return -1;
    }
}

// Appends the guides after `exit` until their running total reaches
// toLength + arrowExtension (within tolerance). The guide that overshoots is
// cut, keeping its start, but never to less than arrowExtension, and a guide
// shorter than arrowExtension never ends the stretch: the arrow head needs a
// last piece at least that long. The end of the path (or the walk's bound)
// ends the stretch early, as a success. 0, or -1 when an Append fails. One
// loop, one branch per case of that rule, so it reads as the rule does.
// NOLINTNEXTLINE(readability-function-cognitive-complexity)
int AppendLeavingStretch(CPathEdgeVec& out, CPath& path, const PathGuid& exit, double toLength,
                         double tolerance, double arrowExtension)
{
    PathGuid working = exit;
    const double target = toLength + arrowExtension;
    double total = 0.0;
    int steps = 0;
    if (!AdvanceGuide(path, working, steps))
        return 0;
    for (;;)
    {
        const double length = working.m_GuideLength;
        total = length + total;
        if (target - tolerance <= total && total <= target + tolerance)
        {
            if (out.Append(working, true, true) < 0)
                return -1;
            if (!(length < arrowExtension))
                return 0;
        }
        else if (total > target + tolerance)
        {
            if (!(length < arrowExtension))
            {
                const double excess = total - target;
                const double cut = (excess < length && length - excess > arrowExtension)
                                       ? length - excess
                                       : arrowExtension;
                return out.Append(working, cut, true, true);
            }
            if (out.Append(working, true, true) < 0)
                return -1;
        }
        else if (out.Append(working, true, true) < 0)
        {
            return -1;
        }
        if (!AdvanceGuide(path, working, steps))
            return 0;
    }
}
} // namespace

int CCrossPathEdges::GenerateCrossEdges(double toLength, double fromLength, double tolerance,
                                        double arrowExtension)
{
    m_EdgeVec.RemoveAll();
    if (mp_Path == nullptr || toLength < tolerance || fromLength < tolerance || tolerance < 0.0)
        return -1;
    if (m_TurnInfo.GetTurnType(0) == NAV_TURN_END)
    {
        ApLog(AP_MSG_CROSS_TURN_END);
        return -1;
    }
    if (m_FromEdges.Size() == 0)
    {
        ApLog(AP_MSG_CROSS_NO_FROM_EDGES);
        return -1;
    }

    // The entering edges are collected from the junction backwards; reversed,
    // the band runs in path order.
    bool built = AppendEnteringStretch(m_EdgeVec, m_FromEdges, fromLength, tolerance) == 0;
    if (built)
    {
        m_EdgeVec.Reverse(0, -1);
        built = AppendGuidesBetween(m_EdgeVec, *mp_Path, m_EnterGuide, m_ExitGuide) == 0 &&
                AppendLeavingStretch(m_EdgeVec, *mp_Path, m_ExitGuide, toLength, tolerance,
                                     arrowExtension) == 0;
    }
    if (!built)
    {
        ApLog(AP_MSG_CROSS_APPEND_FAILED);
        m_EdgeVec.RemoveAll();
        return -1;
    }
    return 0;
}
