#include "RoutinoEvents.h"

#include "RoutingFailure.h"
#include "TextFields.h"

namespace refhost::routing
{

std::vector<size_t> StepPoints(const std::vector<RoutinoStep>& steps,
                               const std::vector<TrackNode>& nodes, const Track& track,
                               const std::string& sourceName)
{
    std::vector<size_t> points;
    size_t from = 0;
    for (size_t s = 0; s < steps.size(); ++s)
    {
        // The stop is the last node even where the route passed its place before.
        size_t k = s + 1 == steps.size() ? nodes.size() - 1 : from;
        while (k < nodes.size() && !SamePoint(nodes[k].point, steps[s].point))
            ++k;
        if (k == nodes.size())
            Fail(sourceName + ": the HTML's point " + std::to_string(s + 1) + " " +
                 DescribePoint(steps[s].point) + " is not on the track of the text output");
        points.push_back(track.pointOfNode[k]);
        from = k + 1;
    }
    return points;
}

std::vector<Event> ReadEvents(const std::vector<RoutinoStep>& steps,
                              const std::vector<size_t>& stepPoints)
{
    std::vector<Event> events;
    bool inRoundabout = false;
    size_t entry = 0;
    for (size_t s = 0; s < steps.size(); ++s)
    {
        const RoutinoStep& step = steps[s];
        const size_t point = stepPoints[s];
        Event event;
        event.point = point;
        event.routinoTurn = step.turn;
        switch (step.kind)
        {
        case StepKind::Start:
            break;
        case StepKind::LeaveRoundabout:
            if (inRoundabout)
            {
                event.kind = EventKind::Roundabout;
                event.point = entry;
                event.exitPoint = point;
                event.exitNumber = step.exit;
                events.push_back(event);
                inRoundabout = false;
                continue;
            }
            events.push_back(event); // left without an entry: read as a junction
            break;
        case StepKind::Waypoint:
            event.kind = EventKind::Via;
            event.waypoint = step.waypoint;
            events.push_back(event);
            break;
        case StepKind::Junction:
            if (!step.roundaboutAhead)
                events.push_back(event);
            break;
        case StepKind::Stop:
            if (inRoundabout)
            {
                event.kind = EventKind::EndsInRoundabout;
                event.point = entry;
                events.push_back(event);
            }
            break;
        }
        if (step.roundaboutAhead && !inRoundabout)
        {
            inRoundabout = true;
            entry = point;
        }
    }
    return events;
}

} // namespace refhost::routing
