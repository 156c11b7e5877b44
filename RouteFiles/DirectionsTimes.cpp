#include "DirectionsTimes.h"

#include "RouteAssembly.h"

#include <cmath>

namespace refhost::routefiles
{

namespace
{

using StepTimes = std::vector<std::vector<double>>;

size_t SegmentCount(const std::vector<RawStep>& steps)
{
    size_t segments = 0;
    for (const RawStep& step : steps)
        segments += step.geometry.points.empty() ? 0 : step.geometry.points.size() - 1;
    return segments;
}

// Seconds of each segment of the leg from its annotation; empty when the
// annotation does not fit the geometry or leaves a segment without a time.
std::vector<double> SegmentSeconds(const std::vector<RawStep>& steps,
                                   const RawAnnotation& annotation)
{
    const size_t segments = SegmentCount(steps);
    std::vector<double> seconds;
    if (segments == 0)
        return seconds;
    if (annotation.duration.size() == segments)
        return annotation.duration;
    if (annotation.speed.size() != segments ||
        (!annotation.distance.empty() && annotation.distance.size() != segments))
        return seconds;
    seconds.reserve(segments);
    for (const RawStep& step : steps)
    {
        const std::vector<tagLonLat>& points = step.geometry.points;
        for (size_t i = 1; i < points.size(); ++i)
        {
            const size_t k = seconds.size();
            const double metres = annotation.distance.empty() ? Metres(points[i - 1], points[i])
                                                              : annotation.distance[k];
            if (!(annotation.speed[k] > 0.0))
                return {};
            seconds.push_back(metres / annotation.speed[k]);
        }
    }
    return seconds;
}

// Each step's duration spread over its length; false when one is missing.
bool TimeBySteps(const std::vector<RawStep>& steps, double& clock, StepTimes& times)
{
    for (const RawStep& step : steps)
    {
        if (!std::isfinite(step.duration))
            return false;
        const std::vector<tagLonLat>& points = step.geometry.points;
        const double length = PolylineMetres(points);
        std::vector<double>& stepTimes = times.emplace_back();
        double along = 0.0;
        for (size_t i = 0; i < points.size(); ++i)
        {
            if (i > 0)
                along += Metres(points[i - 1], points[i]);
            stepTimes.push_back(clock + (length > 0.0 ? step.duration * along / length : 0.0));
        }
        clock += step.duration;
    }
    return true;
}

void TimeBySegments(const std::vector<RawStep>& steps, const std::vector<double>& seconds,
                    double& clock, StepTimes& times)
{
    size_t segment = 0;
    for (const RawStep& step : steps)
    {
        std::vector<double>& stepTimes = times.emplace_back();
        for (size_t i = 0; i < step.geometry.points.size(); ++i)
        {
            if (i > 0)
                clock += seconds[segment++];
            stepTimes.push_back(clock);
        }
    }
}

} // namespace

std::vector<std::vector<std::vector<double>>> StepPointTimes(const RawRoute& route)
{
    std::vector<StepTimes> times;
    double clock = 0.0;
    for (size_t li = 0; li < route.legs.size(); ++li)
    {
        const std::vector<RawStep>& steps = route.legs[li];
        const std::vector<double> seconds = li < route.annotations.size()
                                                ? SegmentSeconds(steps, route.annotations[li])
                                                : std::vector<double>();
        StepTimes& legTimes = times.emplace_back();
        if (!seconds.empty())
            TimeBySegments(steps, seconds, clock, legTimes);
        else if (!TimeBySteps(steps, clock, legTimes))
            return {};
    }
    return times;
}

} // namespace refhost::routefiles
