// The junction builder's state and the collection of the guides before the
// junction (the cutting is in CrossEdgeGeneration.cpp, the arrow head in
// ArrowHead.cpp).
#include "CrossPathEdges.h"

#include "../Geometry/PointOps.h"
#include "GuideWalk.h"
#include "LogTable.h"

#include <string.h>

namespace
{
// The slot after `slot` in the ring of collected guides.
int NextSlot(int slot)
{
    ++slot;
    return slot == AP_GUIDE_SLOT_NUM ? 0 : slot;
}
} // namespace

CCrossPathEdges::CCrossPathEdges() : mp_Path(nullptr)
{
    ResetGuides();
    memset(static_cast<void*>(&m_EnterGuide), 0, sizeof(m_EnterGuide));
    memset(static_cast<void*>(&m_ExitGuide), 0, sizeof(m_ExitGuide));
}

CCrossPathEdges::~CCrossPathEdges()
{
    // The band first, then the entering edges; the turn information goes with
    // the members.
    m_EdgeVec.RemoveAll();
    m_FromEdges.RemoveAll();
}

void CCrossPathEdges::ResetGuides()
{
    for (int k = 0; k < AP_GUIDE_SLOT_NUM; ++k)
    {
        memset(static_cast<void*>(&m_Guides[k]), 0, sizeof(m_Guides[k]));
        m_Guides[k].m_GuidePoint = AP_INVALID_POINT;
    }
}

// A member like every operation of the junction builder, though it reads
// nothing of the object.
// NOLINTNEXTLINE(readability-convert-member-functions-to-static)
void CCrossPathEdges::ReverseGuides(PathGuid* from, int n)
{
    if (from == nullptr)
        return;
    for (int k = 0; k < n / 2; ++k)
    {
        PathGuid held = from[k];
        from[k] = from[n - 1 - k];
        from[n - 1 - k] = held;
    }
}

void CCrossPathEdges::SetCrossInfo(CPath* path, const CTurnInfo& turnInfo)
{
    mp_Path = path;
    if (path == nullptr)
        return; // detached only: what was collected stays

    ResetGuides();
    m_FromEdges.RemoveAll();

    m_TurnInfo = turnInfo;
    turnInfo.GetEnterGuide(0, m_EnterGuide);
    turnInfo.GetExitGuide(0, m_ExitGuide);

    POSITION position = path->GetFirstPosition();
    if (position == nullptr)
    {
        ApLog(AP_MSG_CROSS_NO_FIRST_POSITION);
        return;
    }
    PathGuid guide;
    memset(static_cast<void*>(&guide), 0, sizeof(guide));
    if (path->GetGuid(position, guide) == 0)
    {
        ApLog(AP_MSG_CROSS_NO_FIRST_GUIDE);
        return;
    }

    // Walk from the path's start to the entering guide, keeping the last
    // AP_GUIDE_SLOT_NUM guides in a ring: however long the path before the
    // junction, only those are drawn.
    int slot = 0;
    int steps = 0;
    for (;;)
    {
        m_Guides[slot] = guide;
        if (PointsEqual(guide.m_GuidePoint, m_EnterGuide.m_GuidePoint))
            break;
        slot = NextSlot(slot);
        if (!AdvanceGuide(*path, guide, steps))
        {
            // The junction is not on this path (or the path never ends).
            ResetGuides();
            return;
        }
    }

    // Order the ring from the junction backwards: the newest guides
    // (slots 0 .. slot) reversed, then, if the ring wrapped, the older ones
    // after them reversed too.
    const int last = slot;
    ReverseGuides(&m_Guides[0], last + 1);
    if (last < AP_GUIDE_SLOT_NUM - 1 && IsValidPoint(m_Guides[last + 1].m_GuidePoint))
        ReverseGuides(&m_Guides[last + 1], AP_GUIDE_SLOT_NUM - 1 - last);

    // An edge that cannot be built is left out: the entering stretch is then
    // shorter, which the cutting tolerates.
    for (int k = 0; k < AP_GUIDE_SLOT_NUM; ++k)
    {
        if (IsValidPoint(m_Guides[k].m_GuidePoint))
            m_FromEdges.Append(m_Guides[k], true, true);
    }
}
