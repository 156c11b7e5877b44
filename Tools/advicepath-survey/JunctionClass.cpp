#include "JunctionClass.h"

namespace survey
{

namespace
{

const char* const kCloser = "closer than a band";
const char* const kStart = "band reaches the start";
const char* const kEnd = "band reaches the end";
// Exits from this number on share a row.
constexpr int kManyExits = 5;

} // namespace

std::string KindOf(const AnnouncedTurn& turn)
{
    if (turn.type == NAV_TURN_ROUNDABOUT)
    {
        if (turn.exitNumber <= 0)
            return "roundabout, exit not named";
        if (turn.exitNumber >= kManyExits)
            return "roundabout exit " + std::to_string(kManyExits) + "+";
        return "roundabout exit " + std::to_string(turn.exitNumber);
    }
    if (turn.rampOn)
        return "motorway entry";
    if (turn.rampOff)
        return "motorway exit";
    if (turn.fork)
        return "fork";
    switch (turn.type)
    {
    case NAV_TURN_LEFT:
    case NAV_TURN_RIGHT:
        return "plain left/right";
    case NAV_TURN_SLIGHT_LEFT:
    case NAV_TURN_SLIGHT_RIGHT:
        return "slight left/right";
    case NAV_TURN_SHARP_LEFT:
    case NAV_TURN_SHARP_RIGHT:
        return "sharp left/right";
    case NAV_TURN_UTURN:
        return "U-turn";
    default:
        return "straight on";
    }
}

const std::vector<std::string>& KindNames()
{
    static const std::vector<std::string> names = {"plain left/right",
                                                   "slight left/right",
                                                   "sharp left/right",
                                                   "straight on",
                                                   "U-turn",
                                                   "roundabout exit 1",
                                                   "roundabout exit 2",
                                                   "roundabout exit 3",
                                                   "roundabout exit 4",
                                                   "roundabout exit 5+",
                                                   "roundabout, exit not named",
                                                   "motorway entry",
                                                   "motorway exit",
                                                   "fork"};
    return names;
}

const std::vector<std::string>& PlaceNames()
{
    static const std::vector<std::string> names = {kCloser, kStart, kEnd};
    return names;
}

std::vector<std::string> PlacesOf(const Neighbourhood& around)
{
    std::vector<std::string> places;
    const bool previousNear =
        around.previousPassed >= 0.0 && around.previousPassed > around.junction - around.before;
    const bool nextNear =
        around.nextJunction >= 0.0 && around.nextJunction < around.passed + around.after;
    if (previousNear || nextNear)
        places.emplace_back(kCloser);
    if (around.junction - around.before < 0.0)
        places.emplace_back(kStart);
    if (around.passed + around.after > around.routeLength)
        places.emplace_back(kEnd);
    return places;
}

} // namespace survey
