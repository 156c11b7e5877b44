#include "Angles.h"

#include "ReferenceGeodesy.h"

#include <algorithm>
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

tagLonLat PointAlong(const std::vector<tagLonLat>& points, const std::vector<double>& along,
                     double metres)
{
    if (metres <= along.front())
        return points.front();
    if (metres >= along.back())
        return points.back();
    // The first point at or beyond `metres`: the end of the segment it lies on.
    const std::size_t end = static_cast<std::size_t>(
        std::lower_bound(along.begin(), along.end(), metres) - along.begin());
    const double length = along[end] - along[end - 1];
    if (!(length > 0.0))
        return points[end];
    const double share = (metres - along[end - 1]) / length;
    const tagLonLat& a = points[end - 1];
    const tagLonLat& b = points[end];
    return {a.lon + (b.lon - a.lon) * share, a.lat + (b.lat - a.lat) * share};
}

double WindowBearingInto(const std::vector<tagLonLat>& points, const std::vector<double>& along,
                         std::size_t i, double window, std::size_t first)
{
    const double earliest = along[std::min(first, i - 1)];
    return Bearing(PointAlong(points, along, std::max(along[i] - window, earliest)), points[i]);
}

double WindowBearingOutOf(const std::vector<tagLonLat>& points, const std::vector<double>& along,
                          std::size_t i, double window, std::size_t last)
{
    const double latest = along[std::min(std::max(last, i + 1), points.size() - 1)];
    return Bearing(points[i], PointAlong(points, along, std::min(along[i] + window, latest)));
}

double WindowedTurnAngle(const std::vector<tagLonLat>& points, const std::vector<double>& along,
                         std::size_t i, double window, std::size_t first, std::size_t last)
{
    if (i == 0 || i + 1 >= points.size())
        return 0.0;
    return TurnAngle(WindowBearingInto(points, along, i, window, first),
                     WindowBearingOutOf(points, along, i, window, last));
}

std::vector<double> WindowedTurnAngles(const std::vector<tagLonLat>& points,
                                       const std::vector<double>& along, double window)
{
    std::vector<double> angles(points.size(), 0.0);
    for (std::size_t i = 1; i + 1 < points.size(); ++i)
        angles[i] = WindowedTurnAngle(points, along, i, window, 0, points.size() - 1);
    return angles;
}

} // namespace refhost::geodesy
