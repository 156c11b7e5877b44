#include "RouteLineFloor.h"

namespace bench
{

int DrawRouteLineByHand(CPath& path, CMapService& view)
{
    static tagLonLat notFilled;
    const unsigned colours[2] = {kRouteLineBorderColour, kRouteLineFillColour};
    const unsigned short widths[2] = {kRouteLineBorderWidth, kRouteLineFillWidth};
    int answers = 0;
    for (int pass = 0; pass < 2; ++pass)
    {
        for (POSITION position = path.GetFirstPosition(); position != nullptr;
             position = path.GetNext(position))
        {
            unsigned short count = 0;
            tagLonLat* points = &notFilled;
            path.GetEdge(position, count, points);
            if (points == &notFilled)
                continue;
            answers += view.DrawLine(points, count, 0, colours[pass], widths[pass]);
        }
    }
    return answers;
}

} // namespace bench
