// The route line: every edge of the path as its own polyline, all borders
// first, then all fills, so no border of a later edge covers an earlier fill.
#include "AdvicePathRender.h"

#include "../Host/Logging.h"

namespace
{
// Hands every readable edge of the path to the map view in one colour and
// width. An edge whose GetEdge fails, or that yields no points, is skipped:
// the count and points are reset before each call, so nothing left over from
// an earlier edge or unset by a failing call can reach the map view.
void DrawPathPass(CPath& path, POSITION first, CMapService& mapView, unsigned int colour,
                  unsigned short width)
{
    for (POSITION position = first; position != nullptr; position = path.GetNext(position))
    {
        unsigned short count = 0;
        tagLonLat* points = nullptr;
        if (path.GetEdge(position, count, points) == 0 || points == nullptr || count == 0)
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
        log4cpp_category_log(AP_LOG_CATEGORY, AP_LOG_ERROR, AP_RENDER_SOURCE, 162,
                             "AdvicePathRender::DrawPath", "mp_Path->GetFirstPosition() failed \n");
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
