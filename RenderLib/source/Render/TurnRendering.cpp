// The turn at the next manoeuvre: the junction band (entering stretch, guides
// through the junction, leaving stretch) and the arrow head at its end.
#include "AdvicePathRender.h"

#include "LogTable.h"
#include "OperationProbe.h"

namespace
{
void ZeroArrowHead(tagLonLat* arrowHead)
{
    for (int i = 0; i < 3; ++i)
    {
        arrowHead[i].lon = 0.0;
        arrowHead[i].lat = 0.0;
    }
}
} // namespace

void AdvicePathRender::SetTurnInfo(CNavPath* path, const CTurnInfo& turn)
{
    if (path == nullptr)
    {
        ApLog(AP_MSG_TURN_NULL_PATH);
        return;
    }
    COperationProbe probe(AP_MSG_PROBE_SET_TURN_INFO_TIME, AP_MSG_PROBE_SET_TURN_INFO_MEMORY);
    probe.Start();
    m_CrossEdges.SetCrossInfo(path, turn);
    probe.Finish();
    m_isClearBigArrow = false;
}

void AdvicePathRender::DrawTurn()
{
    COperationProbe probe(AP_MSG_PROBE_DRAW_TURN_TIME, AP_MSG_PROBE_DRAW_TURN_MEMORY);
    probe.Start();

    if (m_isClearBigArrow || mp_MapView == nullptr)
    {
        ApLog(AP_MSG_TURN_HIDDEN);
        return;
    }

    CPathEdgeVec& edges = m_CrossEdges.m_EdgeVec;
    edges.RemoveAll();
    ZeroArrowHead(m_ArrowHead);

    const AdvicePathSizeSetting& sizes = m_pSizeSet[m_CurScale];
    double arrowLength = static_cast<double>(sizes.m_ArrowLength);
    if (m_CrossEdges.GenerateCrossEdges(
            static_cast<double>(sizes.m_ToLength), static_cast<double>(sizes.m_FromLength),
            static_cast<double>(sizes.m_LengthTolerance), arrowLength * kAdvicePathArrowRoom) < 0)
    {
        ApLog(AP_MSG_TURN_BAND_FAILED);
        edges.RemoveAll();
        return;
    }
    if (m_CrossEdges.GenerateArrowHead(m_ArrowHead, 3, arrowLength,
                                       static_cast<double>(sizes.m_ArrowWidth)) < 0)
    {
        ApLog(AP_MSG_TURN_ARROW_FAILED);
        edges.RemoveAll();
        ZeroArrowHead(m_ArrowHead);
        return;
    }

    CMapService& mapView = *mp_MapView;
    int n = edges.Size();
    for (int i = 0; i < n; ++i)
    {
        const CPathEdge* edge = edges.GetAt(i);
        mapView.DrawLine(edge->mp_Points, edge->m_Count, 0, m_ArrowBorderClr,
                         sizes.m_EdgeBorderWidth);
    }
    mapView.DrawLine(m_ArrowHead, 3, sizes.m_ArrowBorderParam, m_ArrowBorderClr,
                     static_cast<int32_t>(m_ArrowBorderClr));
    for (int i = 0; i < n; ++i)
    {
        const CPathEdge* edge = edges.GetAt(i);
        mapView.DrawLine(edge->mp_Points, edge->m_Count, 0, m_ArrowClr, sizes.m_EdgeWidth);
    }
    mapView.DrawPolygon(m_ArrowHead, 3, sizes.m_ArrowFillParam, m_ArrowClr,
                        static_cast<int32_t>(m_ArrowClr));

    probe.Finish();
}
