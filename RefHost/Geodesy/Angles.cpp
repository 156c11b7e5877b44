#include "Angles.h"

#include "ReferenceGeodesy.h"

#include <cmath>

namespace refhost::geodesy
{

double AngleDiff(double from, double to)
{
    double angle = std::fmod(to - from, 360.0);
    if (angle > 180.0)
        angle -= 360.0;
    else if (angle <= -180.0)
        angle += 360.0;
    return angle;
}

double TurnAngle(double from, double to)
{
    if (std::isnan(from) || std::isnan(to))
        return 0.0;
    return AngleDiff(from, to);
}

namespace
{

double TurnBetween(const std::vector<tagLonLat>& points, std::size_t back, std::size_t i,
                   std::size_t ahead)
{
    return TurnAngle(Bearing(points[back], points[i]), Bearing(points[i], points[ahead]));
}

} // namespace

WindowEnds WindowAround(const std::vector<double>& along, std::size_t i, double window,
                        std::size_t first, std::size_t last)
{
    WindowEnds ends;
    ends.back = i - 1;
    while (ends.back > first && along[ends.back] > along[i] - window)
        --ends.back;
    ends.ahead = i + 1;
    while (ends.ahead < last && ends.ahead + 1 < along.size() &&
           along[ends.ahead] < along[i] + window)
        ++ends.ahead;
    return ends;
}

double WindowedTurnAngle(const std::vector<tagLonLat>& points, const std::vector<double>& along,
                         std::size_t i, double window, std::size_t first, std::size_t last)
{
    if (i == 0 || i + 1 >= points.size())
        return 0.0;
    const WindowEnds ends = WindowAround(along, i, window, first, last);
    return TurnBetween(points, ends.back, i, ends.ahead);
}

std::vector<double> WindowedTurnAngles(const std::vector<tagLonLat>& points,
                                       const std::vector<double>& along, double window)
{
    // One sweep: the points behind and ahead only move forward.
    std::vector<double> angles(points.size(), 0.0);
    std::size_t back = 0;  // last point at least `window` behind
    std::size_t ahead = 1; // first point at least `window` ahead
    for (std::size_t i = 1; i + 1 < points.size(); ++i)
    {
        while (back + 1 < i && along[back + 1] <= along[i] - window)
            ++back;
        if (ahead <= i)
            ahead = i + 1;
        while (ahead + 1 < points.size() && along[ahead] < along[i] + window)
            ++ahead;
        angles[i] = TurnBetween(points, back, i, ahead);
    }
    return angles;
}

} // namespace refhost::geodesy
