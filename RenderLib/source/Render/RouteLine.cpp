// The route line: every edge of the path as its own polyline, all borders
// first, then all fills, so no border of a later edge covers an earlier fill.
#include "AdvicePathRender.h"

#include "LogTable.h"

namespace
{
// Marks the points of an edge the path did not fill: the library's own object,
// so no host can hand its address out as an edge's points.
tagLonLat g_EdgeNotFilled;

// Hands every edge of the path to the map view in one colour and width, as
// the path filled it: 0 points and a null array too (a map view draws nothing
// for 0 points), so each edge makes one call per pass. Before each GetEdge the
// count is reset and the points set to the marker; an edge whose points still
// hold the marker was not filled and is skipped, so nothing left over from an
// earlier edge reaches the map view. GetEdge's result is not read: hosts
// promise nothing about it.
void DrawPathPass(CPath& path, POSITION first, CMapService& mapView, unsigned int colour,
                  unsigned short width)
{
    for (POSITION position = first; position != nullptr; position = path.GetNext(position))
    {
        unsigned short count = 0;
        tagLonLat* points = &g_EdgeNotFilled;
        path.GetEdge(position, count, points);
        if (points == &g_EdgeNotFilled)
            continue;
        mapView.DrawLine(points, count, 0, colour, width);
    }
}

unsigned short Low16(int value)
{
    return static_cast<unsigned short>(static_cast<unsigned int>(value) & 0xFFFFu);
}
} // namespace

void AdvicePathRender::DrawPath()
{
    if (mp_Path == nullptr || mp_MapView == nullptr)
        return;
    CPath& path = *mp_Path;
    POSITION first = path.GetFirstPosition();
    if (first == nullptr)
    {
        ApLog(AP_MSG_PATH_NO_FIRST_POSITION);
        return;
    }
    const AdvicePathSizeSetting& sizes = m_pSizeSet[m_CurScale];
    unsigned short borderWidth = Low16(sizes.m_PathBorderWidth);
    unsigned short fillWidth = Low16(sizes.m_PathWidth);

    DrawPathPass(path, first, *mp_MapView, m_PathBorderClr, borderWidth);

    first = path.GetFirstPosition();
    if (first == nullptr)
        return;
    DrawPathPass(path, first, *mp_MapView, m_PathClr, fillWidth);
}
