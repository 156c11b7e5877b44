#include "TurnWindow.h"

#include "Geodesy/ReferenceGeodesy.h"

#include "RouteAssembly.h"

#include <cmath>

namespace refhost::routefiles
{

double TurnWindowMetres(const RouteReadOptions& options)
{
    return std::isfinite(options.turnWindowMetres) && options.turnWindowMetres > 0.0
               ? options.turnWindowMetres
               : 0.0;
}

std::vector<double> WindowedTurnAngles(const std::vector<tagLonLat>& points,
                                       const std::vector<double>& along, double window)
{
    std::vector<double> angles(points.size(), 0.0);
    size_t back = 0;  // last point at least `window` behind
    size_t ahead = 1; // first point at least `window` ahead
    for (size_t i = 1; i + 1 < points.size(); ++i)
    {
        while (back + 1 < i && along[back + 1] <= along[i] - window)
            ++back;
        if (ahead <= i)
            ahead = i + 1;
        while (ahead + 1 < points.size() && along[ahead] < along[i] + window)
            ++ahead;
        angles[i] = TurnAngle(geodesy::Bearing(points[back], points[i]),
                              geodesy::Bearing(points[i], points[ahead]));
    }
    return angles;
}

double WindowedTurnAngle(const std::vector<tagLonLat>& points, const std::vector<double>& along,
                         size_t i, double window, size_t first, size_t last)
{
    if (i == 0 || i + 1 >= points.size())
        return 0.0;
    size_t back = i - 1;
    while (back > first && along[back] > along[i] - window)
        --back;
    size_t ahead = i + 1;
    while (ahead < last && ahead + 1 < points.size() && along[ahead] < along[i] + window)
        ++ahead;
    return TurnAngle(geodesy::Bearing(points[back], points[i]),
                     geodesy::Bearing(points[i], points[ahead]));
}

} // namespace refhost::routefiles
