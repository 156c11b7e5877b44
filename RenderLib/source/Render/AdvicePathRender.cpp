#include "AdvicePathRender.h"

#include "../Edges/HeapAlloc.h"
#include "LogTable.h"
#include "OperationProbe.h"

#include <new>
#include <string.h>

namespace
{
const unsigned int kDefaultPathClr = 0x000711F5;
const unsigned int kDefaultPathBorderClr = 0x0092121B;
const unsigned int kDefaultArrowClr = 0x00FFFFFF;
const unsigned int kDefaultArrowBorderClr = 0;

// The largest count whose byte size (44 per element) fits in 32 bits.
const unsigned int kMaxSizeSetCount = 97612893u;
} // namespace

AdvicePathRender::AdvicePathRender(CMapService* mapView)
    : m_isClearBigArrow(false), m_bDrawing(true), m_CurScale(AP_SCALE_DEFAULT), mp_Path(nullptr),
      mp_MapView(mapView), m_PathClr(kDefaultPathClr), m_PathBorderClr(kDefaultPathBorderClr),
      m_ArrowClr(kDefaultArrowClr), m_ArrowBorderClr(kDefaultArrowBorderClr), m_pSizeSet(nullptr),
      m_SizeSetCnt(0), m_MaxTurnScale(AP_MAX_TURN_SCALE_DEFAULT), m_bDrawRedLine(false),
      m_RefCount(1)
{
    for (int i = 0; i < 3; ++i)
    {
        m_ArrowHead[i].lon = 0.0;
        m_ArrowHead[i].lat = 0.0;
    }
}

AdvicePathRender::~AdvicePathRender()
{
    delete[] m_pSizeSet;
    m_pSizeSet = nullptr;
}

int AdvicePathRender::SetSize(const AdvicePathSizeSetting* sizes, int count, int maxTurnScale)
{
    COperationProbe probe(AP_MSG_PROBE_SET_SIZE_TIME, AP_MSG_PROBE_SET_SIZE_MEMORY);
    probe.Start();

    if (sizes == nullptr || count == 0)
    {
        ApLog(AP_MSG_SIZE_TABLE_NULL);
        return 0;
    }

    // A count whose byte size does not fit 32 bits (a negative count among
    // them) is an allocation failure: nothing is requested, so a 64-bit host
    // never copies past its array.
    AdvicePathSizeSetting* table = nullptr;
    if (static_cast<unsigned int>(count) <= kMaxSizeSetCount && ApAllocAllowed(AP_ALLOC_SIZE_TABLE))
        table = new (std::nothrow) AdvicePathSizeSetting[static_cast<unsigned int>(count)];
    if (table == nullptr)
    {
        ApLog(AP_MSG_SIZE_TABLE_NOT_ALLOCATED);
        return 0;
    }

    delete[] m_pSizeSet;
    memcpy(static_cast<void*>(table), static_cast<const void*>(sizes),
           static_cast<size_t>(count) * sizeof(AdvicePathSizeSetting));
    m_pSizeSet = table;
    m_SizeSetCnt = count;
    m_MaxTurnScale = maxTurnScale;

    probe.Finish();
    return 1;
}

void AdvicePathRender::AutoSetCurScale()
{
    if (mp_MapView == nullptr)
    {
        ApLog(AP_MSG_SCALE_NO_MAP_VIEW);
        return;
    }
    m_CurScale = mp_MapView->ScaleToLevel(mp_MapView->GetScale());
    if (m_CurScale < m_SizeSetCnt)
    {
        // The map view should never answer a negative level; if it does, the
        // most detailed record is used so the table is never read before its
        // start. Without a table the clamp below keeps the level at -1.
        if (m_CurScale < 0 && m_SizeSetCnt > 0)
            m_CurScale = 0;
        return;
    }
    if (m_SizeSetCnt > AP_SCALE_DEFAULT)
    {
        m_CurScale = AP_SCALE_DEFAULT;
        ApLog(AP_MSG_SCALE_TO_DEFAULT);
    }
    else
    {
        m_CurScale = m_SizeSetCnt - 1;
        ApLog(AP_MSG_SCALE_TO_LAST);
    }
}

void AdvicePathRender::Draw(bool drawPath, bool drawTurn)
{
    AutoSetCurScale();
    if (!m_bDrawing || mp_MapView == nullptr || m_pSizeSet == nullptr)
        return;
    if (drawPath)
        DrawPath();
    if (drawTurn && m_CurScale <= m_MaxTurnScale)
        DrawTurn();
    if (m_bDrawRedLine)
        DrawRedLine();
}

void AdvicePathRender::Clear()
{
    mp_Path = nullptr;
    // The junction reset: the band goes, and the builder lets go of the path.
    m_CrossEdges.m_EdgeVec.RemoveAll();
    CTurnInfo none;
    m_CrossEdges.SetCrossInfo(nullptr, none);
}

void AdvicePathRender::ClearBigArrow()
{
    m_isClearBigArrow = true;
}
