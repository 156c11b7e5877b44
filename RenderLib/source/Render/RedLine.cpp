// The origin-destination line: straight from the route's origin to its first
// destination, in red, on top of everything else.
#include "AdvicePathRender.h"

#include "../Host/Geodesy.h"
#include "LogTable.h"

#include <cmath>
#include <limits.h>

namespace
{
const double kLongLineFactor = 5e-06; // a line of 200000 length units or more is long
const double kStep = 0.1;
const int kLongLinePoints = 11;
const unsigned int kRedLineColour = 255;
const int kRedLineWidth = 2;

enum LineKind
{
    LINE_NONE,  // the length is not a finite number: nothing to draw
    LINE_SHORT, // 2 points
    LINE_LONG   // 11 points
};

// The length times 5e-06, truncated toward zero, decides the kind. A product
// that does not fit an int would be undefined behaviour to convert: a finite
// one that large is simply long.
LineKind ClassifyLength(double length)
{
    double product = length * kLongLineFactor;
    if (!std::isfinite(product))
        return LINE_NONE;
    if (product >= static_cast<double>(INT_MAX) + 1.0)
        return LINE_LONG;
    if (product <= static_cast<double>(INT_MIN))
        return LINE_SHORT;
    return static_cast<int>(product) <= 0 ? LINE_SHORT : LINE_LONG;
}
} // namespace

void AdvicePathRender::DrawRedLine()
{
    tagLonLat ends[2];
    NavDest dest;
    bool hasOrigin = GetRouteManager().GetPathManager().GetOrgPoint(dest);
    ends[0] = dest.m_Position;
    if (!hasOrigin || GetRouteManager().GetPathManager().GetDestCount() < 1)
    {
        ApLog(AP_MSG_RED_LINE_NO_ENDS);
        return;
    }
    if (!GetRouteManager().GetPathManager().GetDestPoint(0, dest))
        return;
    ends[1] = dest.m_Position;

    LineKind kind = ClassifyLength(LineLength(2, ends));
    if (kind == LINE_NONE)
        return;
    if (kind == LINE_SHORT)
    {
        if (mp_MapView != nullptr)
            mp_MapView->DrawLine(ends, 2, 0, kRedLineColour, kRedLineWidth);
        return;
    }

    // Ten equal steps in longitude and latitude, evaluated as (d * i) * 0.1 +
    // origin so that whole-number differences give exact inner points.
    tagLonLat points[kLongLinePoints];
    points[0] = ends[0];
    points[kLongLinePoints - 1] = ends[1];
    double dLon = ends[1].lon - ends[0].lon;
    double dLat = ends[1].lat - ends[0].lat;
    for (int i = 1; i < kLongLinePoints - 1; ++i)
    {
        double step = static_cast<double>(i);
        points[i].lon = (dLon * step) * kStep + ends[0].lon;
        points[i].lat = (step * dLat) * kStep + ends[0].lat;
    }
    if (mp_MapView != nullptr)
        mp_MapView->DrawLine(points, kLongLinePoints, 0, kRedLineColour, kRedLineWidth);
}
